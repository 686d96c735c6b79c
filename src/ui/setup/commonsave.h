#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quiz
{

// "Save As...": names the quiz file. The caller sets the folder shown, the
// file pattern and the preset name; the result is the typed name (possibly
// empty), nullopt when cancelled.
class CommonSave : public QDialog
{
    Q_OBJECT
  public:
    explicit CommonSave(QWidget *parent = nullptr);

    void setFolder(const std::string &folder, const std::string &pattern);
    void setFileName(const std::string &name);
    std::optional<std::string> typedName() const { return result_; }

    // Shows the dialog modally, centred over the caller.
    static std::optional<std::string> ask(QWidget *caller, const std::string &folder,
                                          const std::string &pattern, const std::string &preset);

    QLineEdit *fileNameBox() const { return txtFilename_; }
    QListWidget *fileList() const { return fileCurDir_; }

  public slots:
    void file_CurDir_Click(QListWidgetItem *item);
    void OKButton_Click();
    void CancelButton_Click();

  private:
    QLabel *lblDir_;
    QListWidget *fileCurDir_;
    QLineEdit *txtFilename_;
    std::optional<std::string> result_;
};

} // namespace quiz
