#include "shell/ui/HelpWindows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace kinetra::ui {

QDialog* newNumberFormatHelp(QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("numberFormatHelp"));
    dialog->setWindowTitle(QStringLiteral("KINETRA Help: number format"));
    auto* layout = new QVBoxLayout(dialog);
    auto* text = new QLabel(QStringLiteral(
        "<p><b>Number format</b></p>"
        "<p>KINETRA reads and writes numbers in its data files and settings files in one fixed "
        "form:</p>"
        "<ul><li>the decimal symbol is a point: <tt>8.314</tt>;</li>"
        "<li>negative numbers start with a minus sign: <tt>-0.5</tt>;</li>"
        "<li>thousands are not grouped: <tt>101325</tt>, never <tt>101,325</tt> or "
        "<tt>101.325,0</tt>;</li>"
        "<li>large and small values use an exponent: <tt>6.02214076E+23</tt>.</li></ul>"
        "<p>The number conversion of this system did not write numbers in that form, so KINETRA "
        "loaded nothing. Set the number format of your system (or of the program's environment, "
        "for example <tt>LC_NUMERIC=C</tt>) to a point as the decimal symbol, the minus sign as "
        "the negative sign and no digit grouping, then start KINETRA again.</p>"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setMinimumWidth(460);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    layout->addWidget(buttons);
    return dialog;
}

void showAbout(QWidget* parent) {
    QMessageBox::about(
        parent, QStringLiteral("About KINETRA"),
        QStringLiteral("<h3>KINETRA</h3><p>Version %1</p>"
                       "<p>A workbench for gas-phase chemical kinetics: it keeps thermodynamic "
                       "and reaction databases, checks and edits mechanisms, and charts their "
                       "data and the results of kinetic simulations.</p>")
            .arg(QStringLiteral(KINETRA_VERSION)));
}

} // namespace kinetra::ui
