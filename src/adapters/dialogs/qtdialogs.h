#pragma once

#include "ports/dialogs.h"

class QWidget;

namespace quiz
{

// The program's dialogs, shown with Qt: QMessageBox, QInputDialog,
// QFileDialog, QFontDialog (with a colour button) and QPrintDialog.
class QtDialogs : public Dialogs
{
  public:
    // The dialogs are centred over the parent when one is given.
    explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                     const std::string &defaultText) override;
    std::optional<std::string> saveFile(const std::string &title, const std::string &defaultName,
                                        const std::string &filter) override;
    std::optional<std::string> openFile(const std::string &title, const std::string &defaultName,
                                        const std::string &filter) override;
    std::optional<FontChoice> font(const std::string &title, const FontChoice &initial) override;
    std::optional<PrintTarget> print(const std::string &title) override;
    bool onScreen() const override { return true; }

  private:
    QWidget *parent_;
};

} // namespace quiz
