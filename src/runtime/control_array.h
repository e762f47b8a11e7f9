// Control arrays: member 0 is the template and always exists; Load(i) creates member i with the
// template's settings and handlers, hidden; Unload(i) removes it (destroyed once no handler runs).
// Addressing a missing member raises 340, loading an existing one 360.
//
//   rt::ControlArray<rt::Label> Label1{*this, "Label1"};
//   Label1[0].Click = [this](int Index) { Label1_Click(Index); };
//   Label1.Load(3); Label1[3].Caption("x"); Label1[3].Visible(true);
//   for (rt::Label& l : Label1) ...   // existing members in index order
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/control.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"

namespace rt {

template <class T>
class ControlArray {
public:
    // Member 0 is made as T(container, name, 0, extra...).
    template <class... Extra>
    ControlArray(Container& container, std::string name, Extra&&... extra) : name_(std::move(name)) {
        members_.emplace(0, std::make_unique<T>(container, name_, 0, std::forward<Extra>(extra)...));
    }

    const std::string& Name() const noexcept { return name_; }

    T& operator[](int index) const {
        auto it = members_.find(index);
        if (it == members_.end()) Raise(errControlArrayElementMissing, name_);
        return *it->second;
    }
    T& operator()(int index) const { return (*this)[index]; }
    bool Exists(int index) const { return members_.count(index) != 0; }

    T& Load(int index) {
        if (index < 0 || index > 32767) Raise(errControlArrayElementMissing, name_);
        if (Exists(index)) Raise(errObjectAlreadyLoaded, name_);
        auto member = std::make_unique<T>(*members_.at(0), index);
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
    iterator begin() const { return iterator(members_.begin()); }
    iterator end() const { return iterator(members_.end()); }

private:
    std::string name_;
    std::map<int, std::unique_ptr<T>> members_;
};

}  // namespace rt
