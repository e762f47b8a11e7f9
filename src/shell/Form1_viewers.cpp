// The run-time viewers: the one PDF viewer and the Flash viewers of a page, created from the
// first registered version of their components, or a placeholder where none can be created.
#include <string>

#include "runtime/activex.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "shell/Form1.h"

namespace {

const char* const kPdfProgIds[] = {"AcroPDF.PDF.1", "PDF.PdfCtrl.6", "PDF.PdfCtrl.5", "PDF.PdfCtrl.1"};
const char* const kFlashProgIds[] = {"ShockwaveFlash.ShockwaveFlash.10", "ShockwaveFlash.ShockwaveFlash.9",
                                     "ShockwaveFlash.ShockwaveFlash.8",  "ShockwaveFlash.ShockwaveFlash.7",
                                     "ShockwaveFlash.ShockwaveFlash.6",  "ShockwaveFlash.ShockwaveFlash.5",
                                     "ShockwaveFlash.ShockwaveFlash.4"};

}  // namespace

void Form1::crtpdf() {
    rt::Procedure proc(rt::OnError::Skip);
    pdfViewerReady = true;
    // A viewer made by an earlier call stays the one: adding another of the same name fails.
    auto* viewer = dynamic_cast<rt::ActiveXControl*>(rt::FindControl(*this, "PDF"));
    for (const char* progId : kPdfProgIds) {
        if (viewer) break;
        proc.step([&] { viewer = &rt::AddControl(*this, progId, "PDF"); });
    }
    if (!viewer) {
        pdfViewerReady = false;
        return;
    }
    proc.step([&] { pdfViewer = viewer->object(); });
    rt::Err().Clear();
}

void Form1::ladfla(int16_t inx, float lft, float tp, float hig, float wdth, const std::string& fl) {
    rt::Procedure proc(rt::OnError::Skip);
    const std::string name = "tovi" + rt::Str(static_cast<int64_t>(inx));
    rt::ActiveXControl* viewer = nullptr;
    for (const char* progId : kFlashProgIds) {
        if (viewer) break;
        proc.step([&] { viewer = &rt::AddControl(*this, progId, name); });
    }
    if (viewer) {
        proc.step([&] { viewer->Visible(true); });
        proc.step([&] { flashViewer = viewer->object(); });
        proc.step([&] { viewer->Move(lft, tp, wdth, hig); });
        proc.step([&] { flashViewer.Call("LoadMovie", static_cast<int32_t>(0), fl); });
        rt::Err().Clear();
        return;
    }
    if (inx != 0) proc.step([&] { Picture2.Load(inx); });
    proc.step([&] { Picture2[inx].Left(lft); });
    proc.step([&] { Picture2[inx].Top(tp); });
    proc.step([&] { Picture2[inx].Visible(true); });
    proc.step([&] { Picture2[inx].Height(hig); });
    proc.step([&] { Picture2[inx].Width(wdth); });
}
