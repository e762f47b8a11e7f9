// The main window: the page objects in one control array per kind, the controls the page
// runtime works with, the run-time state in hidden fields, and the public interface through
// which the page builder, the action interpreter and the controls of the page reach it.
//
// Its code is split by subject: start-up and window events here in src/shell (Form1_*.cpp), the
// page builder in src/pages, the object handlers and actions in src/actions.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/alpha/aicAlphaImage.h"
#include "controls/alpha/AlphaShapeCtl.h"
#include "controls/alpha/win8Metro.h"
#include "controls/buttons/CandyButton.h"
#include "controls/buttons/vxbutton.h"
#include "controls/buttons/ShapedButton.h"
#include "controls/chrome/EtsLinkLabel.h"
#include "controls/chrome/Scroll.h"
#include "controls/chrome/bsGradientLabel.h"
#include "controls/chrome/combobx.h"
#include "controls/chrome/ucSlider.h"
#include "controls/media/AniGif.h"
#include "controls/media/JRTF.h"
#include "controls/media/QuendelActiveMovie.h"
#include "controls/media/UserControl1.h"
#include "controls/media/slideshowacx.h"
#include "controls/media/thumb.h"
#include "controls/media/timer.h"
#include "runtime/activex.h"
#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/hidden_text.h"
#include "shell/page_kinds.h"
#include "shell/store/ProjectArchive.h"

namespace controls {
class clsShadow;
}
class RegistryFunctions;

class Form1 : public rt::Form {
public:
    Form1();
    ~Form1() override;

    // ---- Hidden state fields. Setting the text of page, pat or Text1 runs its change handler
    // before the setter returns.
    rt::HiddenText page{*this, "1", [this] { page_Change(); }};
    rt::HiddenText pat{*this, "", [this] { pat_Change(); }};
    rt::HiddenText frma{*this, "0"};
    rt::HiddenText Text1{*this, "Text1", [this] { Text1_Change(); }};
    rt::HiddenText Text2{*this, "vb"};
    rt::HiddenText Text11{*this, ""};
    rt::Label pos{*this, "pos"};  // its caption is the value: "1" once a framed window was centred
    rt::HiddenText de{*this, "1"};
    rt::HiddenText v{*this, ""};
    rt::HiddenText st{*this, "1"};  // background music: "2" after sunstop, "1" after sunPlay

    // ---- Hidden lists.
    rt::ListBox pacfile{*this, "pacfile"};    // store members, in store order
    rt::ListBox pagelast{*this, "pagelast"};  // page-script members; the count is the page count
    rt::ListBox pcfile2{*this, "pcfile2"};    // members of the nested store opened last
    rt::ListBox fntlst{*this, "fntlst"};      // installed font names
    rt::ListBox namelist{*this, "namelist"};  // lines of the object name list
    rt::ListBox lk{*this, "lk"};              // the action list being run

    // ---- Public variables.
    std::string xmlsn;     // page opacity 0 to 255 as text; empty or "255" is opaque
    int32_t vlm = 0;       // page movie volume
    bool png_prs = false;  // true while the page builder creates alpha pictures
    int16_t afstme = 0;    // 1 once a build has shown the window without an intro video

    // ---- Page object arrays: the array of each record kind with objects of its own, as its row
    // in shell/page_kinds.h names it. The order of the declarations is the order of the objects
    // among the window's controls.
    PageArray<rt::Label> Label1{*this, "Label1"};
    PageArray<rt::TextBox> txt{*this, "txt"};
    PageArray<rt::OptionButton> o{*this, "o"};
    PageArray<rt::Image> pic{*this, "pic"};
    PageArray<rt::PictureBox> Picture2{*this, "Picture2"};
    PageArray<rt::FileListBox> File{*this, "File"};
    // The template's saved settings: the face shown, a white back colour, enabled.
    PageArray<controls::ShapedButton> imageover{
        *this, "imageover",
        std::make_shared<const rt::PropertyBag>(
            rt::PropertyBag{{"ShowPicture", true}, {"BackColor", 0xFFFFFF}, {"Enable", true}})};
    // The template's saved settings: enabled, and no text.
    PageArray<controls::combobx> combobx1{
        *this, "combobx1",
        std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"Enabled", true}, {"Textn", ""}})};
    PageArray<controls::slideshowacx> slideshow{*this, "slideshow",
                                                std::make_shared<const rt::PropertyBag>()};
    PageArray<controls::thumb> thumb{*this, "thumb", std::make_shared<const rt::PropertyBag>()};
    PageArray<controls::timer> picture3{*this, "picture3"};
    // The page buttons: templates placed at design time with nothing stored beyond the defaults.
    PageArray<controls::vxbutton> Command1{*this, "Command1", std::make_shared<const rt::PropertyBag>()};
    PageArray<controls::CandyButton> Macbt{*this, "Macbt", std::make_shared<const rt::PropertyBag>()};
    // Link labels, gradient labels and marquees; the templates' saved settings as designed.
    PageArray<controls::EtsLinkLabel> lnk{*this, "lnk", DesignedLinkLabel()};
    PageArray<controls::bsGradientLabel> bsGradientLabel1{*this, "bsGradientLabel1", DesignedGradientLabel()};
    PageArray<controls::Scroll> Scroll1{*this, "Scroll1", std::make_shared<const rt::PropertyBag>()};
    // Animated pictures, rich-text viewers and web viewers; the viewers' templates as designed.
    PageArray<controls::AniGif> gif{*this, "gif"};
    // Vector shapes; the template as placed at design time, nothing stored beyond the defaults.
    PageArray<controls::AlphaShapeCtl> Shaper1{*this, "Shaper1", std::make_shared<const rt::PropertyBag>()};
    PageArray<controls::JRTF> rt{*this, "rt", std::make_shared<const rt::PropertyBag>()};
    PageArray<controls::UserControl1> web{*this, "web", std::make_shared<const rt::PropertyBag>()};
    // Alpha pictures; the template was stored with no caption. Each member keeps its hover mode in
    // its spare whole number (1 light and press, 5 state pictures).
    PageArray<aicAlphaImage> aap{*this, "aap",
                                 std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"Caption", ""}})};
    // Tiles; the template's saved settings as designed.
    PageArray<controls::win8Metro> metrodes1{*this, "metrodes1", DesignedTile()};

    // ---- Other controls.
    rt::Label Label3{*this, "Label3"};  // tooltip label of page objects
    rt::Label Label2{*this, "Label2"};  // argument of the last movie action
    rt::Image gr{*this, "gr"};          // hover glow picture
    rt::Image hand{*this, "hand"};      // hand pointer icon of alpha pictures
    rt::OptionButton Option1{*this, "Option1"};
    rt::Shape Shape1{*this, "Shape1"};  // outline while the separate title bar is in use
    rt::PictureBox Picture5{*this, "Picture5"};
    rt::PictureBox Picture6{*this, "Picture6"};
    rt::PictureBox Picture7{*this, "Picture7"};
    rt::PictureBox Picture8{*this, "Picture8"};
    rt::CheckBox pdfsrol{*this, "pdfsrol"};
    rt::CheckBox pdftool{*this, "pdftool"};
    controls::QuendelActiveMovie bac{*this, "bac"};  // background music
    controls::QuendelActiveMovie mb{*this, "mb"};    // page movie
    rt::FileListBox l{*this, "l"};         // music files of data\sound
    controls::ucSlider Picture16{*this, "Picture16", -1, SeekBarSettings()};  // the page movie's seek bar
    rt::Timer Timer3{*this, "Timer3"};     // 400 ms, off: page 1's open actions
    rt::Timer Timer5{*this, "Timer5"};     // 1 ms, on: live text placeholders
    rt::Timer Timer6{*this, "Timer6"};     // 10 ms, off: page transition
    rt::CommandButton Command2{*this, "Command2"};
    rt::CommandButton Command3{*this, "Command3"};

    // ---- Public members.
    void crtpdf();
    void ladfla(int16_t inx, float lft, float tp, float hig, float wdth, const std::string& fl);
    std::string pckex(const std::string& flinfo);
    void ExecuteTag(const std::string& StringToExe);
    void lab();
    void sldgo();
    void combogo();
    std::string pckexbut(const std::string& flinfo);
    void shd();
    bool chk_fnt(const std::string& font_name);
    void setzde();
    void sound(const std::string& action);
    void LoadOpen();
    void thmbgo();
    void Picpath(rt::Image& image, const std::string& Path);
    std::string ReadKey(const std::string& Value);

    // The store behind pckex and pckexbut.
    void LoadArchiveIndex();
    void OpenPictureArchive(const std::string& path);
    ProjectArchive& Archive() noexcept { return archive_; }

    // The page finishing steps that the page builder calls.
    void Command2_Click();
    void Command3_Click();

    // ---- Window events.
    void Form_Load() override;
    void Form_Resize() override;
    void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_Unload(int16_t& Cancel) override;

    // ---- Page builder (src/pages) and page runtime (src/shell/Form1_page.cpp and neighbours).
    // The players' page-object array; where it is declared is its place among the controls.
    PageArray<rt::MediaPlayer> WMPlayer{*this, "WMPlayer"};
    // Tests: when set, each page-open action goes here instead of to ExecuteTag.
    std::function<void(const std::string&)> OpenActionHook;

    // ---- Action interpreter and page-object events (src/actions).
    // The registry class of the registry actions: made by the first of them, kept with the window.
    std::shared_ptr<RegistryFunctions> registryObject;
    // The two roads of an action list: the pieces held by the caller, or through the shared lk.
    void RunActionList(const std::string& ActionList);
    void RunActionListThroughLk(const std::string& ActionList);
    // A page object's click: the enter sound, then its actions; false when it stopped at once
    // (no actions, and a kind that sounds only with actions).
    bool ClickRoad(const rt::Control& object, bool soundAlways);
    // The cross sound once per entry from the window surface.
    void HoverSoundStep();
    void ShowToolTip(const std::string& text);
    // The About window's label keeps the tooltip of the last clicked object.
    void AboutCaption(const std::string& text);
    // The hover picture of a member on this page: kind "gr", "lgr" or "grpic".
    std::string HoverPicturePath(int Index, const std::string& kind) const;
    // A thumbnail browser's choice: shows the picture in the alpha picture that its Tag names.
    void ThumbChoice(const std::string& browserTag, const std::function<void(int16_t)>& showPicture);
    void thumb_MouseDown(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void Label1_Click(int Index);
    void Label1_MouseMove(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void pic_Click(int Index);
    void pic_MouseMove(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void imageover_Click(int Index);
    void imageover_MouseMove(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void o_MouseDown(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void o_MouseUp(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void txt_KeyDown(int Index, int16_t& KeyCode, int16_t Shift);
    void File_DblClick(int Index);
    void Picture2_Click(int Index);
    void Picture8_DblClick();
    // The music and the page movie, its seek bar, and the page timers.
    void bac_OnFinished(bool Finished);
    void mb_OnFinished(bool Finished);
    void mb_movierun(bool mrun);
    void Picture16_Click();
    void Picture16_MouseDown(int16_t Shift);
    void Picture16_MouseUp(int16_t Shift);
    void picture3_Timer(int Index);
    void Command1_Click(int Index);
    void Command1_MouseMove(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void Macbt_Click(int Index);
    void Macbt_MouseMove(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void lnk_Click(int Index);
    void bsGradientLabel1_Click(int Index);
    void metrodes1_Click(int Index);
    void gif_MouseUp(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void aap_Click(int Index);
    void aap_MouseEnter(int Index);
    void aap_MouseExit(int Index);
    void aap_MouseDown(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void aap_MouseUp(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void Shaper1_Click(int Index);
    void Shaper1_MouseMove(int Index, int16_t Button, int16_t Shift, float X, float Y);
    void Form_Click() override;

    // The run-time PDF viewer's inner object, and whether the page now on show may use it.
    const rt::Object& PdfViewer() const noexcept { return pdfViewer; }
    bool PdfOnPage() const noexcept { return pageHasPdf && pdfViewerReady; }
    // The Flash viewer's player that the Flash actions drive last.
    const rt::Object& FlashViewer() const noexcept { return flashViewer; }
    void FlashViewer(const rt::Object& player) { flashViewer = player; }

    controls::clsShadow* WindowShadow() const noexcept { return windowShadow.get(); }
    int32_t FrameSide() const noexcept { return frameSide; }
    int32_t FrameTop() const noexcept { return frameTop; }

private:
    // The seek bar's design: horizontal, Max 1, a thin sunken rail and the thumb icon.
    static std::shared_ptr<const rt::PropertyBag> SeekBarSettings();
    void page_Change();
    void pat_Change();
    void Text1_Change();
    void Timer3_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void LoadFontList();
    // Whether the store's index lists the member (names compared without case), without
    // extracting it.
    bool StoreHasMember(const std::string& name) const;

    // ---- Page builder and page runtime.
    friend class PageBuilder;
    void DesignPageTemplates();
    static std::shared_ptr<const rt::PropertyBag> DesignedLinkLabel();
    static std::shared_ptr<const rt::PropertyBag> DesignedGradientLabel();
    static std::shared_ptr<const rt::PropertyBag> DesignedTile();
    void RunOpenActions();
    void ApplyWindowState(const std::string& command);
    int32_t MoviePosition() const;
    uint32_t buildSerial_ = 0;  // counts page builds, so a loop can tell that a nested one ran
    uint32_t stoppedBuild_ = 0;  // the serial of the last build that a failing step stopped

    ProjectArchive archive_{pacfile, pagelast, pcfile2};

    int32_t frameSide = 0;  // twips
    int32_t frameTop = 0;   // twips
    int32_t pageHeight = 0, pageWidth = 0;
    std::unique_ptr<controls::clsShadow> windowShadow;
    rt::Object flashViewerExtender, flashViewer;  // the Flash viewer loaded last
    rt::Object pdfViewerExtender, pdfViewer;      // the run-time PDF viewer
    bool pdfViewerReady = false;
    bool pageHasPdf = false;
    bool pdfHasFile = false;
    int16_t transitionRuns = 0;
    bool HoverLatch = false;
    bool unloadRunning_ = false;
    // The hover mode of an alpha picture (0 when the member is gone), and a state picture from
    // its archive: the named one, or on release "over.png" or "normal.png" by the pointer.
    int32_t AapHoverMode(int Index);
    void AapStatePicture(int Index, const char* picture, bool release);

    friend class Form1Access;  // tests

    // Gives the template of each page-object array the handlers and the visibility its row
    // names, kind by kind (src/pages); made after the arrays.
    struct PageObjectHookup {
        explicit PageObjectHookup(Form1& f);
    } pageObjectHookup_{*this};
    // Connects the events of the players, the seek bar and the PDF frame to the handlers of
    // src/actions.
    struct EventHookup {
        explicit EventHookup(Form1& f);
    } eventHookup_{*this};
};

// Each array that a record kind names is a page-object array of the window; the other half of
// the check, that each page-object array has a kind, is page_kinds::ArrayName.
#define VANTREL_PAGE_KIND_HAS_ARRAY(keyword, block, array, removal, start, hookup) \
    static_assert(page_kinds::isPageArray<decltype(Form1::array)>,                 \
                  "record kind " keyword ": Form1::" #array " is no page-object array");
VANTREL_PAGE_RECORDS(VANTREL_PAGE_KIND_HAS_ARRAY, VANTREL_PAGE_SKIP)
#undef VANTREL_PAGE_KIND_HAS_ARRAY
