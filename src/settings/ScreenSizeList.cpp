#include "settings/ScreenSizeList.h"

#include <algorithm>

bool ScreenSizeList::AddScreenSize(uint16_t width, uint16_t height, bool enable)
{
    const uint32_t area = static_cast<uint32_t>(width) * height;
    size_t position = entries_.size();
    for (size_t i = 0; i < entries_.size(); ++i) {
        ScreenSize& entry = entries_[i];
        if (entry.Width() == width && entry.Height() == height) {
            if (enable) entry.enabled = true;
            return false;
        }
        if (entry.Area() > area) {
            position = i;
            break;
        }
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position),
                    ScreenSize{PackSize(width, height), enable});
    return true;
}

void ScreenSizeList::PopulateScreenSizes(const std::vector<PackedSize>& monitors)
{
    static const uint16_t common[][2] = {
        {640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 960}, {1280, 1024}, {1600, 1200},
    };
    for (const auto& size : common) AddScreenSize(size[0], size[1], false);
    for (PackedSize monitor : monitors) AddScreenSize(PackedWidth(monitor), PackedHeight(monitor), false);

    if (hasStoredList_) {
        // All at once, as AddScreenSize one by one would place them (after every entry
        // of equal or smaller area, a size already there only enabled), in n log n.
        std::vector<ScreenSize> merged = entries_;
        for (PackedSize size : storedSizes_) merged.push_back({size, true});
        std::stable_sort(merged.begin(), merged.end(),
                         [](const ScreenSize& a, const ScreenSize& b) { return a.Area() < b.Area(); });
        entries_.clear();
        for (size_t first = 0; first < merged.size();) {
            size_t end = first;
            while (end < merged.size() && merged[end].Area() == merged[first].Area()) ++end;
            const size_t groupStart = entries_.size();
            for (size_t i = first; i < end; ++i) {
                auto same = std::find_if(entries_.begin() + static_cast<std::ptrdiff_t>(groupStart), entries_.end(),
                                         [&](const ScreenSize& entry) { return entry.size == merged[i].size; });
                if (same == entries_.end())
                    entries_.push_back(merged[i]);
                else
                    same->enabled = same->enabled || merged[i].enabled;
            }
            first = end;
        }
        return;
    }
    // On a first start every size that fits a monitor is outlined: each monitor's own too.
    for (ScreenSize& entry : entries_)
        entry.enabled = std::any_of(monitors.begin(), monitors.end(), [&](PackedSize monitor) {
            return entry.Width() <= PackedWidth(monitor) && entry.Height() <= PackedHeight(monitor);
        });
}

std::vector<PackedSize> ScreenSizeList::CollectEnabledSizes() const
{
    std::vector<PackedSize> sizes;
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->enabled) sizes.push_back(it->size);
    return sizes;
}

void ScreenSizeList::ExchangeGridArray(GridArrayDirection direction, std::vector<PackedSize>& array)
{
    switch (direction) {
    case GridArrayDirection::Save:
        array = CollectEnabledSizes();
        break;
    case GridArrayDirection::Load:
        if (array.empty()) break;  // nothing stored: what is known stays
        storedSizes_.assign(array.begin(), array.begin() + static_cast<std::ptrdiff_t>(std::min(array.size(), MAX_STORED_SIZES)));
        hasStoredList_ = true;
        break;
    }
}

void ScreenSizeList::SetEnabled(size_t row, bool enabled)
{
    if (row < entries_.size()) entries_[row].enabled = enabled;
}

namespace {

std::vector<size_t> LastToFirst(std::vector<size_t> rows)
{
    std::sort(rows.begin(), rows.end(), [](size_t a, size_t b) { return a > b; });
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace

void ScreenSizeList::SetSelectionEnabled(const std::vector<size_t>& selectedRows, bool enabled)
{
    for (size_t row : LastToFirst(selectedRows)) SetEnabled(row, enabled);
}

void ScreenSizeList::RemoveSelection(const std::vector<size_t>& selectedRows)
{
    for (size_t row : LastToFirst(selectedRows))
        if (row < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
}
