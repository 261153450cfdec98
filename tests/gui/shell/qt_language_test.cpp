#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

#include "gui/shell/qt_language.hpp"

// Qt's own texts follow the language chosen at start: a process of its own, as the translation
// is installed for the whole program.
class QtLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void messageBoxButtonsReadInTheChosenLanguage() {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        tarvomen::gui::followLanguage(1);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Yes"));

        tarvomen::gui::followLanguage(200);
        QMessageBox french;
        french.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(french.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Oui"));
        QCOMPARE(french.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Non"));
        QCOMPARE(french.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
    }
};

QTEST_MAIN(QtLanguageTest)
#include "qt_language_test.moc"
