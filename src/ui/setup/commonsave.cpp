#include "ui/setup/commonsave.h"

#include "core/common/runend.h"
#include "core/setup/quizsave.h"
#include "ui/common/handlerguard.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quiz
{

CommonSave::CommonSave(QWidget *parent) : QDialog(parent)
{
    setObjectName("common_save");
    setWindowTitle("Save As...");
    setModal(true);
    lblDir_ = new QLabel(this);
    lblDir_->setObjectName("lbl_Dir");
    fileCurDir_ = new QListWidget(this);
    fileCurDir_->setObjectName("file_CurDir");
    txtFilename_ = new QLineEdit(this);
    txtFilename_->setObjectName("txt_filename");
    auto *ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto *cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblDir_, 0, 0, 1, 2);
    grid->addWidget(fileCurDir_, 1, 0, 3, 1);
    grid->addWidget(ok, 1, 1);
    grid->addWidget(cancel, 2, 1);
    grid->addWidget(txtFilename_, 4, 0);
    resize(360, 260);

    connect(fileCurDir_, &QListWidget::itemClicked, this, guarded(this, &CommonSave::file_CurDir_Click));
    connect(ok, &QPushButton::clicked, this, guarded(this, &CommonSave::OKButton_Click));
    connect(cancel, &QPushButton::clicked, this, guarded(this, &CommonSave::CancelButton_Click));
}

void CommonSave::setFolder(const std::string &folder, const std::string &pattern)
{
    lblDir_->setText(QString::fromStdString(folder));
    fileCurDir_->clear();
    const QDir dir(QString::fromStdString(folder));
    fileCurDir_->addItems(
        dir.entryList({QString::fromStdString(pattern)}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void CommonSave::setFileName(const std::string &name)
{
    txtFilename_->setText(QString::fromStdString(name));
}

void CommonSave::file_CurDir_Click(QListWidgetItem *item)
{
    if (!item)
        return;
    txtFilename_->setText(QString::fromStdString(ListedQuizName(item->text().toStdString())));
    txtFilename_->selectAll();
    txtFilename_->setFocus();
}

void CommonSave::OKButton_Click()
{
    result_ = txtFilename_->text().toStdString();
    accept();
}

void CommonSave::CancelButton_Click()
{
    result_.reset();
    reject();
}

std::optional<std::string> CommonSave::ask(QWidget *caller, const std::string &folder,
                                           const std::string &pattern, const std::string &preset)
{
    CommonSave dialog(caller);
    dialog.setFolder(folder, pattern);
    dialog.setFileName(preset);
    if (caller) {
        const QRect over = caller->frameGeometry();
        dialog.move(over.left() + (over.width() - dialog.width()) / 2,
                    over.top() + (over.height() - dialog.height()) / 2);
    }
    dialog.exec();
    rethrowLatchedRunEnd();
    return dialog.typedName();
}

} // namespace quiz
