// A list that code fills and reads by position: the hidden list boxes of the main window, the
// combo boxes of page objects, and plain vectors in window-free code and tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace rt {

class ListSink {
public:
    virtual ~ListSink() = default;
    virtual void Clear() = 0;
    // Inserts at index (the end when index < 0 or index >= ListCount()).
    virtual void AddItem(const std::string& item, int index = -1) = 0;
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;  // fails past the end
};

// Lets the message loop run once (DoEvents); window-free code gets it passed in.
using MessagePump = std::function<void()>;

class VectorList final : public ListSink {
public:
    void Clear() override { items.clear(); }
    void AddItem(const std::string& item, int index = -1) override {
        if (index < 0 || index >= static_cast<int>(items.size()))
            items.push_back(item);
        else
            items.insert(items.begin() + index, item);
    }
    int ListCount() const override { return static_cast<int>(items.size()); }
    std::string List(int index) const override { return items.at(static_cast<size_t>(index)); }
    std::vector<std::string> items;
};

}  // namespace rt
