#include "common/ui/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace kinetra::ui {

namespace {

// The position of the mnemonic marker in a caption, or -1: a single '&' before a character
// ("&&" is a literal ampersand).
qsizetype markerAt(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return i;
        ++i; // a literal "&&"
    }
    return -1;
}

QChar letterKey(QChar c) {
    return c.toLower();
}

// Where to put the marker in `caption` (before that character), or -1 when every letter or
// digit is taken: first the first letter of a word, then any letter or digit.
qsizetype chooseLetter(const QString& caption, const QSet<QChar>& used) {
    for (int pass = 0; pass < 2; ++pass)
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption[i];
            if (!c.isLetterOrNumber() || used.contains(letterKey(c)))
                continue;
            const bool wordStart = i == 0 || !caption[i - 1].isLetterOrNumber();
            if (pass == 0 && !wordStart)
                continue;
            return i;
        }
    return -1;
}

bool takesLetter(const QAction* action) {
    return !action->isSeparator() && !action->text().trimmed().isEmpty();
}

void assignIn(const QList<QAction*>& siblings, bool again) {
    QSet<QChar> used;
    if (!again)
        for (const QAction* action : siblings) {
            const QString text = action->text();
            if (const qsizetype at = markerAt(text); at >= 0)
                used.insert(letterKey(text[at + 1]));
        }
    for (QAction* action : siblings) {
        if (!takesLetter(action))
            continue;
        QString text = action->text();
        if (again && markerAt(text) >= 0) {
            // The plain caption, with its literal ampersands kept doubled.
            text = withoutMnemonic(text).replace(u'&', QStringLiteral("&&"));
        } else if (markerAt(text) >= 0) {
            continue;
        }
        if (const qsizetype at = chooseLetter(text, used); at >= 0) {
            used.insert(letterKey(text[at]));
            text.insert(at, u'&');
        }
        if (text != action->text())
            action->setText(text);
    }
    for (QAction* action : siblings)
        if (QMenu* sub = action->menu())
            assignIn(sub->actions(), false);
}

} // namespace

QString withoutMnemonic(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&x" is x, "&&" is "&"
        plain += caption[i];
    }
    return plain;
}

void assignMnemonics(const QList<QAction*>& siblings) {
    assignIn(siblings, false);
}

void reassignMenuBarMnemonics(const QList<QAction*>& menuBarActions) {
    assignIn(menuBarActions, true);
}

} // namespace kinetra::ui
