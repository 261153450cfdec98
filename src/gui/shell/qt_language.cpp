#include "gui/shell/qt_language.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvomen::gui {

void followLanguage(std::int16_t LangInd) {
    constexpr std::int16_t kFrench = 200;  // `LangInd` of French
    static QTranslator* installed = nullptr;
    if (LangInd != kFrench || installed) return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::French), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;
    }
}

}  // namespace tarvomen::gui
