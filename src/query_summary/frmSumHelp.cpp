#include "src/query_summary/frmSumHelp.h"

#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frmSumHelp";
// The help page is a picture of 622 x 435 pixels.
constexpr int kPageWidth = 622 * platform::kTwipsPerPixel;
constexpr int kPageHeight = 435 * platform::kTwipsPerPixel;

}  // namespace

frmSumHelp::frmSumHelp() : Form("frmSumHelp") {}

void frmSumHelp::Design() {
    SetCaption(kSumHelpCaption);
    SetClientSize(kPageWidth, kPageHeight);
    Picture1.SetPicture("sumhelp");
    Picture1.Move(0, 0, kPageWidth, kPageHeight);
}

std::shared_ptr<platform::ModelessFrame> frmSumHelp::Frame() {
    return Guarded(Procedure{"Frame", kModule}, std::shared_ptr<platform::ModelessFrame>{}, [&] {
        if (!frame_) {
            auto frame = std::make_shared<platform::ModelessFrame>();
            frame->Create(shared_from_this());
            frame->SetCaption(kSumHelpCaption);
            frame_ = frame;
        }
        return frame_;
    });
}

}  // namespace tessaly
