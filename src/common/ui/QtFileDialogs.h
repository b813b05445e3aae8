// Open and save dialogs over QFileDialog, with the program's filter strings translated.
#pragma once

#include "common/Seams.h"

#include <QString>
#include <QStringList>
#include <string_view>

class QFileDialog;

namespace kinetra::ui {

// "Caption (*.x)|*.x|Caption2 (*.y;*.z)|*.y;*.z" becomes the filters "Caption (*.x)" and
// "Caption2 (*.y *.z)". The patterns come from the pattern half; "*.*" becomes "*", because on
// this platform "*.*" would hide every file whose name has no dot.
QStringList qtNameFilters(std::string_view programFilter);
// The same filters joined with ";;", the form QFileDialog's static functions take.
QString qtFileFilter(std::string_view programFilter);
// The extension a filter stands for ("txt" for "Text (*.txt)"); empty for "*" or several.
QString filterSuffix(const QString& nameFilter);

// Each dialog opens in the folder of the file last chosen, so that a day's files are found
// where the previous one was; the first opens in the user's home folder, not in whatever folder
// the program was started from.
class QtFileDialogs final : public FileDialogs {
public:
    std::string openFile(FilterKind kind, const std::string& title) override;
    std::string saveFile(FilterKind kind, const std::string& title,
                         const std::string& suggestedName) override;

private:
    std::string choose(QFileDialog& dialog);
    QString folder_;
};

} // namespace kinetra::ui
