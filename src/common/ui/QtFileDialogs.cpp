#include "common/ui/QtFileDialogs.h"

#include "common/ui/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace kinetra::ui {

QStringList qtNameFilters(std::string_view programFilter) {
    const QStringList parts =
        QString::fromUtf8(programFilter.data(), qsizetype(programFilter.size())).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString caption = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (caption.isEmpty() && patterns.isEmpty())
            continue;
        // The caption repeats the patterns in brackets for the user; Qt reads them from there,
        // so they are rebuilt from the pattern half.
        static const QRegularExpression bracketed(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
        caption.remove(bracketed);
        QStringList list = patterns.split(u';', Qt::SkipEmptyParts);
        for (QString& p : list) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        if (list.isEmpty())
            list << QStringLiteral("*");
        if (caption.isEmpty())
            caption = list.join(u' ');
        filters << caption + QStringLiteral(" (") + list.join(u' ') + u')';
    }
    return filters;
}

QString qtFileFilter(std::string_view programFilter) {
    return qtNameFilters(programFilter).join(QStringLiteral(";;"));
}

QString filterSuffix(const QString& nameFilter) {
    static const QRegularExpression single(QStringLiteral("\\(\\*\\.([^ .*?()]+)\\)$"));
    auto match = single.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

namespace {

void setFilters(QFileDialog& dialog, FilterKind kind) {
    const QStringList filters = qtNameFilters(filterString(kind));
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
}

} // namespace

std::string QtFileDialogs::choose(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return {};
    folder_ = QFileInfo(files.first()).absolutePath();
    return files.first().toStdString();
}

std::string QtFileDialogs::openFile(FilterKind kind, const std::string& title) {
    QFileDialog dialog(dialogParent(), QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(folder_.isEmpty() ? QDir::homePath() : folder_);
    setFilters(dialog, kind);
    return choose(dialog);
}

std::string QtFileDialogs::saveFile(FilterKind kind, const std::string& title,
                                    const std::string& suggestedName) {
    QFileDialog dialog(dialogParent(), QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(folder_.isEmpty() ? QDir::homePath() : folder_);
    // Overwriting asks first: QFileDialog confirms unless told not to, and nothing here tells it.
    setFilters(dialog, kind);
    // A name typed without an extension gets the one of the chosen filter.
    dialog.setDefaultSuffix(filterSuffix(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& f) { dialog.setDefaultSuffix(filterSuffix(f)); });
    if (!suggestedName.empty())
        dialog.selectFile(QString::fromStdString(suggestedName));
    return choose(dialog);
}

} // namespace kinetra::ui
