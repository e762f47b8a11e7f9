// Control arrays: member 0 is the template and always exists; Load(i) creates member i with the
// template's settings and handlers, hidden; Unload(i) removes it (destroyed once no handler runs).
// Addressing a missing member raises 340, loading an existing one 360.
//
// The template's window is made when something first needs the template (addressing it, loading
// a member, walking the array), not with the array: a window of many arrays uses few of them.
// Design(settings) gives the template its design-time settings and handlers; they are applied in
// the order given as soon as it exists. It takes the place among its container's controls (their
// order, the tab order, the stacking of windows) that it would have had if made with the array.
//
//   rt::ControlArray<rt::Label> Label1{*this, "Label1"};
//   Label1.Design([this](rt::Label& t) { t.Click = [this](int Index) { Label1_Click(Index); }; });
//   Label1.Load(3); Label1[3].Caption("x"); Label1[3].Visible(true);
//   for (rt::Label& l : Label1) ...   // existing members in index order
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "runtime/control.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"

namespace rt {

template <class T>
class ControlArray {
public:
    // Member 0 is made as T(container, name, 0, extra...) on first need. Extra arguments passed as
    // lvalues are kept by reference, so they must live as long as the array (members of the same
    // window); others are kept by value.
    template <class... Extra>
    ControlArray(Container& container, std::string name, Extra&&... extra)
        : name_(std::move(name)), slot_(container.ReserveSlot()) {
        make_ = [this, &container, args = std::tuple<Extra...>(std::forward<Extra>(extra)...)]() {
            return std::apply(
                [&](auto&&... a) {
                    Container::SlotScope slot(container, slot_);
                    return std::make_unique<T>(container, name_, 0, a...);
                },
                args);
        };
        members_.emplace(0, nullptr);
    }

    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    const std::string& Name() const noexcept { return name_; }

    // Design-time settings of the template: now when it exists, else when it is made.
    void Design(std::function<void(T&)> settings) {
        if (members_.at(0))
            settings(*members_.at(0));
        else
            design_.push_back(std::move(settings));
    }
    // Whether the template was made yet.
    bool TemplateMade() const noexcept { return members_.at(0) != nullptr; }

    T& operator[](int index) const {
        auto it = members_.find(index);
        if (it == members_.end()) Raise(errControlArrayElementMissing, name_);
        if (!it->second) makeTemplate();
        return *it->second;
    }
    T& operator()(int index) const { return (*this)[index]; }
    bool Exists(int index) const { return members_.count(index) != 0; }

    T& Load(int index) {
        if (index < 0 || index > 32767) Raise(errControlArrayElementMissing, name_);
        if (Exists(index)) Raise(errObjectAlreadyLoaded, name_);
        auto member = std::make_unique<T>((*this)[0], index);
        T& ref = *member;
        members_.emplace(index, std::move(member));
        return ref;
    }
    void Unload(int index) {
        if (index == 0) Raise(362, name_, "Can't unload controls created at design time");
        auto it = members_.find(index);
        if (it == members_.end()) Raise(errControlArrayElementMissing, name_);
        std::unique_ptr<T> member = std::move(it->second);
        members_.erase(it);
        member->MarkUnloaded();
        member->Visible(false);
        DestroyLater(std::move(member));
    }
    // Unloads every member but the template.
    void UnloadAll() {
        std::vector<int> loaded;
        for (auto& [i, m] : members_)
            if (i != 0) loaded.push_back(i);
        for (int i : loaded) Unload(i);
    }

    int Count() const noexcept { return static_cast<int>(members_.size()); }
    int LBound() const noexcept { return members_.begin()->first; }
    int UBound() const noexcept { return members_.rbegin()->first; }
    std::vector<int> Indexes() const {
        std::vector<int> out;
        for (auto& [i, m] : members_) out.push_back(i);
        return out;
    }

    class iterator {
    public:
        using Inner = typename std::map<int, std::unique_ptr<T>>::const_iterator;
        explicit iterator(Inner it) : it_(it) {}
        T& operator*() const { return *it_->second; }
        T* operator->() const { return it_->second.get(); }
        iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const iterator& o) const { return it_ == o.it_; }
        bool operator!=(const iterator& o) const { return it_ != o.it_; }

    private:
        Inner it_;
    };
    // Iterating while handlers load or unload members: iterate over Indexes() instead.
    iterator begin() const {
        (*this)[0];
        return iterator(members_.begin());
    }
    iterator end() const { return iterator(members_.end()); }

private:
    void makeTemplate() const {
        std::unique_ptr<T>& templ = members_.at(0);
        templ = make_();
        std::vector<std::function<void(T&)>> design = std::move(design_);
        design_.clear();
        for (auto& settings : design) settings(*templ);
    }

    std::string name_;
    int slot_;
    std::function<std::unique_ptr<T>()> make_;
    mutable std::vector<std::function<void(T&)>> design_;
    mutable std::map<int, std::unique_ptr<T>> members_;  // member 0 is null until made
};

}  // namespace rt
