#include "ui/results/frmloading.h"

#include "core/common/runend.h"
#include "ui/common/handlerguard.h"
#include "ui/common/screenmetrics.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace quiz
{

namespace
{
// The bar counts in hundredths so that a fractional maximum is kept.
constexpr int barScale = 100;
} // namespace

frmLoading::frmLoading(std::function<void(bool)> enablePowerPointWindows, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      enablePowerPointWindows_(std::move(enablePowerPointWindows)), prg_Loading_(new QProgressBar(this)),
      Label1_(new QLabel(this)), tmr_Animate_(new QTimer(this))
{
    setObjectName("frmLoading");
    setWindowTitle("Please Wait");
    prg_Loading_->setObjectName("prg_Loading");
    prg_Loading_->setTextVisible(false);
    Label1_->setObjectName("Label1");
    Label1_->setAlignment(Qt::AlignCenter);
    // Fixed-pitch, so that the bars move by whole, even steps.
    Label1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Label1_->setText(QString::fromStdString(ProgressCaption::starting(message)));
    tmr_Animate_->setObjectName("tmr_Animate");
    tmr_Animate_->setInterval(animateIntervalMs);
    connect(tmr_Animate_, &QTimer::timeout, this, guarded([this] { tmr_Animate_Timer(); }));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    layout->addWidget(Label1_);
    layout->addWidget(prg_Loading_);
    Form_Load();
}

frmLoading::~frmLoading() = default;

void frmLoading::Form_Load()
{
    loaded_ = true;
    if (enablePowerPointWindows_) {
        enablePowerPointWindows_(true);
        enablePowerPointWindows_(false);
    }
}

void frmLoading::Form_Unload()
{
    if (enablePowerPointWindows_) {
        enablePowerPointWindows_(true);
        enablePowerPointWindows_(false);
    }
    loaded_ = false;
}

void frmLoading::SetUpProgressBar(float maximum)
{
    const int tppX = std::max(1, twipsPerPixelX());
    const int tppY = std::max(1, twipsPerPixelY());
    const int heightPx = heightTwips / tppY;
    const int widthPx = widthTwips / tppX;
    setFixedSize(widthPx, heightPx);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - widthPx) / 2, area.top() + (area.height() - heightPx) / 2);
    }
    setWindowTitle(windowCaption);

    maximum_ = std::max(0.0f, maximum);
    value_ = 0;
    prg_Loading_->setRange(0, static_cast<int>(std::lround(maximum_ * barScale)));
    prg_Loading_->setValue(0);
    prg_Loading_->setVisible(true);

    if (!isVisible()) {
        if (!loaded_)
            Form_Load();
        show();
        raise();
        tmr_Animate_->start();
        QCoreApplication::processEvents();
        rethrowLatchedRunEnd();
    }
}

void frmLoading::IncrementProgressBar(long long steps)
{
    if (value_ >= maximum_ || steps <= 0)
        return;
    value_ = static_cast<float>(
        std::min(static_cast<double>(value_) + static_cast<double>(steps), static_cast<double>(maximum_)));
    // A pass may step the bar millions of times: the screen is brought up to
    // date at most every repaintIntervalMs, and always at the end; the clock
    // itself is read only every few hundred steps.
    stepsSinceClock_ += steps;
    if (value_ < maximum_ && stepsSinceClock_ < stepsPerClockRead)
        return;
    stepsSinceClock_ = 0;
    const auto now = std::chrono::steady_clock::now();
    if (value_ < maximum_ && now - lastRepaint_ < std::chrono::milliseconds(repaintIntervalMs))
        return;
    lastRepaint_ = now;
    showBar();
    QCoreApplication::processEvents();
    rethrowLatchedRunEnd();
}

void frmLoading::showBar()
{
    prg_Loading_->setValue(static_cast<int>(std::lround(value_ * barScale)));
    prg_Loading_->repaint();
}

void frmLoading::tmr_Animate_Timer()
{
    Label1_->setVisible(true);
    Label1_->setText(QString::fromStdString(caption_.step(Label1_->text().toStdString())));
    Label1_->repaint();
}

void frmLoading::unload()
{
    if (!loaded_)
        return;
    tmr_Animate_->stop();
    Form_Unload();
    hide();
}

void frmLoading::closeEvent(QCloseEvent *event)
{
    guardRunEnd([&] {
        // No way out for the user: the owner unloads the window when its work is done.
        if (loaded_)
            event->ignore();
        else
            QWidget::closeEvent(event);
    });
}

} // namespace quiz
