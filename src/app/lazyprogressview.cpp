#include "app/lazyprogressview.h"

#include "ui/results/frmloading.h"

namespace quiz
{

LazyProgressView::LazyProgressView(std::function<void(bool)> enablePowerPointWindows)
    : enablePowerPointWindows_(std::move(enablePowerPointWindows))
{
}

LazyProgressView::~LazyProgressView() = default;

void LazyProgressView::setUpProgressBar(float maximum)
{
    if (!form_)
        form_ = std::make_unique<frmLoading>(enablePowerPointWindows_);
    form_->SetUpProgressBar(maximum);
}

void LazyProgressView::incrementProgressBar()
{
    if (form_)
        form_->IncrementProgressBar();
}

void LazyProgressView::incrementProgressBarBy(long long steps)
{
    if (form_)
        form_->IncrementProgressBar(steps);
}

void LazyProgressView::unload()
{
    if (form_)
        form_->unload();
}

} // namespace quiz
