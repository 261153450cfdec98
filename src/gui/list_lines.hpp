#pragma once

#include <QListWidget>
#include <QStringList>

namespace tarvomen::gui {

// Shows `lines` in a list (refilled only when they changed). The lines stay as the records
// give them; what assistive technology reads has the padding blanks taken out.
inline void showLines(QListWidget* list, const QStringList& lines) {
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    if (shown == lines) return;
    list->clear();
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, list);
        item->setData(Qt::AccessibleTextRole, line.simplified());
    }
}

}  // namespace tarvomen::gui
