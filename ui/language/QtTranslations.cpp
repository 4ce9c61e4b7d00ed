#include "ui/language/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace rq7::ui {

QtTranslations::QtTranslations(QString folder)
    : folder_(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                               : std::move(folder)) {}

QtTranslations::~QtTranslations() {
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslations::use(const std::string& locale) {
    if (translator_ && locale == current_)
        return true;
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
        current_.clear();
    }
    if (locale.empty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + QString::fromStdString(locale), folder_))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    current_ = locale;
    return true;
}

} // namespace rq7::ui
