#include "controls/common/mdlList.h"

#include <cstdint>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/textfile.h"

namespace mdlList {

namespace {

// Positions 0 to 32767; counting past the last is a failure (overflow) that ends the read.
class ItemCounter {
public:
    int Value() const noexcept { return value_; }
    void Next() {
        if (value_ == INT16_MAX) rt::Raise(rt::errOverflow);
        ++value_;
    }

private:
    int value_ = 0;
};

void Pump(const rt::MessagePump& pump) {
    if (pump) pump();
}

// Reads an item action file; for each item calls add(item, position), then pumps.
template <class Add>
void ReadItems(const std::string& path, const rt::MessagePump& pump, Add add) {
    rt::Try([&] {
        rt::InputFile file(path);
        ItemCounter n;
        while (!file.AtEnd()) {
            add(file.ReadField(), n.Value());
            Pump(pump);
            n.Next();
        }
    });
}

// Adds the first part to `texts`, then the second to `actions`; a missing part fails after what came
// before it was added.
void AddPaired(const std::string& item, int position, rt::ListSink& texts, rt::ListSink& actions) {
    std::vector<std::string> parts = rt::Split(item, kItemSeparator);
    if (parts.empty()) rt::Raise(rt::errSubscriptOutOfRange);
    texts.AddItem(parts[0], position);
    if (parts.size() < 2) rt::Raise(rt::errSubscriptOutOfRange);
    actions.AddItem(parts[1], position);
}

}  // namespace

void LoadPairedList(const std::string& path, rt::ListSink& texts, rt::ListSink& actions,
                    const rt::MessagePump& pump) {
    texts.Clear();
    actions.Clear();
    ReadItems(path, pump,
              [&](const std::string& item, int position) { AddPaired(item, position, texts, actions); });
}

void LoadLineList(const std::string& path, rt::ListSink& list) {
    list.Clear();
    rt::Try([&] {
        rt::InputFile file(path);
        ItemCounter n;
        while (!file.AtEnd()) {
            list.AddItem(file.ReadLine(), n.Value());
            n.Next();
        }
    });
}

void LoadItemList(const std::string& path, rt::ListSink& list, const rt::MessagePump& pump) {
    list.Clear();
    ReadItems(path, pump, [&](const std::string& item, int position) { list.AddItem(item, position); });
}

void LoadPairedCombo(const std::string& path, rt::ListSink& combo, rt::ListSink& actions,
                     const rt::MessagePump& pump) {
    actions.Clear();
    ReadItems(path, pump,
              [&](const std::string& item, int position) { AddPaired(item, position, combo, actions); });
}

void RunFirstItem(const rt::ListSink& items, const std::string& text, const std::function<bool()>& goOn,
                  const std::function<void(const std::string&)>& run) {
    for (int k = 0; k < items.ListCount(); ++k) {
        const std::vector<std::string> parts = rt::Split(items.List(k), kItemSeparator);
        if ((parts.empty() ? std::string() : parts[0]) == text) {
            if (parts.size() >= 2 && !parts[1].empty() && run) run(parts[1]);
            return;
        }
        if (goOn && !goOn()) return;
    }
}

}  // namespace mdlList
