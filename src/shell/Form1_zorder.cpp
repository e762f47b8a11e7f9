// The z-order file: page & "psnt.xmz", one line per object to bring to the front or send to the
// back, in the order of the file.
#include <string>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/textfile.h"
#include "runtime/ui.h"
#include "shell/Form1.h"

namespace {

template <class Array>
void Stack(const Array& array, const std::vector<std::string>& piece) {
    // Asking for a piece the line lacks fails the line.
    array[rt::TextToInt16(piece.at(1))].ZOrder(rt::TextToInt16(piece.at(2)));
}

}  // namespace

void Form1::setzde() {
    const std::string name = page.Text() + "psnt.xmz";
    std::string copy;
    if (!rt::Try([&] { copy = pckex(name); })) return;
    if (copy == "error") return;
    rt::InputFile file;
    if (!rt::Try([&] { file.Open(pckex(name)); })) return;

    const uint32_t build = buildSerial_;
    while (!file.AtEnd()) {
        std::string line;
        if (!rt::Try([&] { line = file.ReadLine(); })) break;
        rt::Try([&] {
            const std::vector<std::string> piece = rt::Split(line, "ID");
            const std::string& code = piece.at(0);
            if (code == "cmd") {
                Stack(Command1, piece);
            } else if (code == "WMB") {
                mb.ZOrder(rt::TextToInt16(piece.at(2)));
            } else if (code == "lb") {
                Stack(Label1, piece);
            } else if (code == "thumb") {
                Stack(thumb, piece);
            } else if (code == "MPP") {
                Stack(WMPlayer, piece);
            } else if (code == "MAC") {
                Stack(Macbt, piece);
            } else if (code == "o") {
                Stack(o, piece);
            } else if (code == "GRD") {
                Stack(bsGradientLabel1, piece);
            } else if (code == "FLE") {
                Stack(File, piece);
            } else if (code == "FAS") {
                const std::string viewer = "tovi" + piece.at(1);
                std::vector<rt::Control*> all = Controls();
                for (rt::Control* c : all) {
                    if (c->Name() != viewer) continue;
                    rt::Try([&] {
                        if (auto* ax = dynamic_cast<rt::ActiveXControl*>(c)) flashViewer = ax->object();
                        c->ZOrder(rt::TextToInt16(piece.at(2)));
                    });
                }
            } else if (code == "LNK") {
                Stack(lnk, piece);
            } else if (code == "TXT") {
                Stack(txt, piece);
            } else if (code == "PIC") {
                Stack(pic, piece);
            } else if (code == "IMV") {
                Stack(imageover, piece);
            } else if (code == "GIF") {
                Stack(gif, piece);
            } else if (code == "RT") {
                Stack(rt, piece);
            } else if (code == "WEB") {
                Stack(web, piece);
            } else if (code == "cbx") {
                Stack(combobx1, piece);
            } else if (code == "SHA") {
                Stack(Shaper1, piece);
            }
            // "aap" addresses an array that joins with its control; any other code does nothing.
        });
        rt::DoEvents();
        // An event that switched pages meanwhile rebuilt the window: the rest of this file
        // belongs to objects that are gone.
        if (buildSerial_ != build) break;
    }
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { file.Close(); });
    proc.step([&] { rt::Kill(pckex(name)); });
}
