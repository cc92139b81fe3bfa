#pragma once

#include "platform/vb/VbError.h"

#include <initializer_list>
#include <vector>

// A list of singles with the original's array bounds: polygon point lists may start at
// index -1, where they carry the reference point of some line forms.
class SingleList {
public:
    SingleList() = default;
    SingleList(std::initializer_list<float> values, int lowerBound = 0) : values_(values), lower_(lowerBound) {}
    SingleList(std::vector<float> values, int lowerBound = 0) : values_(std::move(values)), lower_(lowerBound) {}

    int LBound() const { return lower_; }
    int UBound() const { return lower_ + static_cast<int>(values_.size()) - 1; }
    float operator()(int i) const
    {
        if (i < lower_ || i > UBound()) vb::raise(vb::errSubscript);
        return values_[static_cast<std::size_t>(i - lower_)];
    }
    const std::vector<float>& values() const { return values_; }

private:
    std::vector<float> values_;
    int lower_ = 0;
};
