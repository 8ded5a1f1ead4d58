#include "src/core/frmReport.h"

#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frmReport";

// Below this frame size the controls would not fit: they stay where they are.
constexpr int kMinimumWidth = 2000;
constexpr int kMinimumHeight = 2600;

}  // namespace

frmReport::frmReport() : ReportWindow("frmReport", kModule) {}

std::shared_ptr<platform::ModelessFrame> frmReport::Frame() {
    return Guarded(Procedure{"Frame", kModule}, std::shared_ptr<platform::ModelessFrame>{}, [&] {
        if (!frame_) {
            auto frame = std::make_shared<platform::ModelessFrame>();
            frame->Create(shared_from_this());
            frame->SetCaption("Report");
            frame_ = frame;
        }
        return frame_;
    });
}

void frmReport::Form_Load() {
    Guarded(Procedure{"Form_Load", kModule}, [&] {
        const int h = Height();
        const int w = Width();
        backgroundHeightMargin_ = h - txtBackground.Height();
        backgroundWidthMargin_ = w - txtBackground.Width();
        reportHeightMargin_ = h - txtReport.Height();
        reportWidthMargin_ = w - txtReport.Width();
        okTopMargin_ = h - cmdOK.Top();
        copyTopMargin_ = h - cmdCopy.Top();
        printTopMargin_ = h - cmdPrint.Top();
        cornerTopMargin_ = h - imgCornerBars.Top();
        cornerLeftMargin_ = w - imgCornerBars.Left();
    });
}

void frmReport::Form_Resize() {
    Guarded(Procedure{"Form_Resize", kModule}, [&] {
        // The window may be sized before its frame exists: nothing to follow yet.
        if (!frame_) return;
        const int w = frame_->Width() * platform::kTwipsPerPixel;
        const int h = frame_->Height() * platform::kTwipsPerPixel;
        if (w <= kMinimumWidth || h <= kMinimumHeight) return;
        txtBackground.SetHeight(h - backgroundHeightMargin_);
        txtBackground.SetWidth(w - backgroundWidthMargin_);
        txtReport.SetHeight(h - reportHeightMargin_);
        txtReport.SetWidth(w - reportWidthMargin_);
        cmdOK.SetTop(h - okTopMargin_);
        cmdCopy.SetTop(h - copyTopMargin_);
        cmdPrint.SetTop(h - printTopMargin_);
        imgCornerBars.SetTop(h - cornerTopMargin_);
        imgCornerBars.SetLeft(w - cornerLeftMargin_);
    });
}

void frmReport::cmdOK_Click() {
    Guarded(Procedure{"cmdOK_Click", kModule}, [&] {
        if (auto frame = Frame()) frame->SetVisible(false);
    });
}

}  // namespace tessaly
