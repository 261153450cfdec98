#pragma once

#include <QString>
#include <QWidget>

namespace tarvomen::testing {

// The child widget of `parent` with the object name `name`; the test stops when there is none.
template <class W>
W* child(QWidget* parent, const QString& name) {
    W* widget = parent ? parent->findChild<W*>(name) : nullptr;
    if (!widget) qFatal("no widget %s", qPrintable(name));
    return widget;
}

}  // namespace tarvomen::testing
