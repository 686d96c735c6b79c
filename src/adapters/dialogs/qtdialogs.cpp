#include "adapters/dialogs/qtdialogs.h"

#include "core/common/runend.h"

#include "adapters/dialogs/dialogrecord.h"
#include "qtsupport/dialogconversions.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace quiz
{

namespace
{

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

void showColourOn(QPushButton *button, const QColor &colour)
{
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }").arg(colour.name()));
}

} // namespace

MessageAnswer QtDialogs::message(const std::string &text, const std::string &title, MessageIcon icon,
                                 MessageButtons buttons)
{
    QMessageBox box(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    qtButtons(buttons), parent_);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(qtButton(defaultAnswer(buttons)));
    box.setEscapeButton(qtButton(escapeAnswer(buttons)));
    const int clicked = box.exec();
    rethrowLatchedRunEnd();
    switch (clicked) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        return escapeAnswer(buttons);
    }
}

std::optional<std::string> QtDialogs::input(const std::string &prompt, const std::string &title,
                                            const std::string &defaultText)
{
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("inputBox"));
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString::fromStdString(defaultText));
    const int result = dialog.exec();
    rethrowLatchedRunEnd();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtDialogs::saveFile(const std::string &title, const std::string &defaultName,
                                               const std::string &filter)
{
    QFileDialog dialog(parent_, QString::fromStdString(title), QString::fromStdString(defaultName),
                       qtNameFilter(filter));
    dialog.setObjectName(QStringLiteral("saveFile"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The callers ask before replacing a file, with their own texts.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const int result = dialog.exec();
    rethrowLatchedRunEnd();
    const QStringList names = dialog.selectedFiles();
    if (result != QDialog::Accepted || names.isEmpty() || names.front().isEmpty())
        return std::nullopt;
    // A name typed without an extension takes the filter's, as the common dialog's does.
    return withDefaultSuffix(names.front().toStdString(), defaultSuffixOfFilter(filter));
}

std::optional<std::string> QtDialogs::openFile(const std::string &title, const std::string &defaultName,
                                               const std::string &filter)
{
    const QString name = QFileDialog::getOpenFileName(
        parent_, QString::fromStdString(title), QString::fromStdString(defaultName), qtNameFilter(filter));
    rethrowLatchedRunEnd();
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

std::optional<FontChoice> QtDialogs::font(const std::string &title, const FontChoice &initial)
{
    // Qt's font dialog has no colour; a colour button is added to it.
    QFontDialog dialog(qFontFromChoice(initial), parent_);
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QString::fromStdString(title));
    QColor colour = colourFromBgr(initial.colour);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
        auto *button = new QPushButton(QObject::tr("Colour..."), &dialog);
        button->setObjectName(QStringLiteral("fontColour"));
        showColourOn(button, colour);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, button, &colour] {
            const QColor chosen = QColorDialog::getColor(colour, &dialog, QObject::tr("Colour"));
            if (chosen.isValid()) {
                colour = chosen;
                showColourOn(button, colour);
            }
        });
        grid->addWidget(button, grid->rowCount(), 0);
    }
    const int result = dialog.exec();
    rethrowLatchedRunEnd();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return choiceFromQFont(dialog.selectedFont(), bgrFromColour(colour));
}

std::optional<PrintTarget> QtDialogs::print(const std::string &title)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent_);
    dialog.setObjectName(QStringLiteral("printDialog"));
    dialog.setWindowTitle(QString::fromStdString(title));
    const int result = dialog.exec();
    rethrowLatchedRunEnd();
    if (result != QDialog::Accepted)
        return std::nullopt;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return PrintTarget{"", printer.outputFileName().toStdString()};
    return PrintTarget{printer.printerName().toStdString(), ""};
}

} // namespace quiz
