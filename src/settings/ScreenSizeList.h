#pragma once
// The screen resolutions that the sizing grid can outline, kept in area order.

#include <cstdint>
#include <string>
#include <vector>

#include "common/PackedSize.h"

struct ScreenSize {
    PackedSize size = 0;
    bool enabled = false;

    uint16_t Width() const { return PackedWidth(size); }
    uint16_t Height() const { return PackedHeight(size); }
    uint32_t Area() const { return static_cast<uint32_t>(Width()) * Height(); }
    std::string RowText() const { return SizeLabel(size); }
};

enum class GridArrayDirection { Load, Save };

// At most this many stored sizes are read: a grid of more would be unreadable, and
// a hostile list of thousands would make every render slow. The window can still
// add sizes beyond it, one at a time.
constexpr size_t MAX_STORED_SIZES = 256;

class ScreenSizeList {
public:
    // Inserts after every entry of equal or smaller area. A size already present
    // is not inserted again (returns false); with enable it ends enabled.
    bool AddScreenSize(uint16_t width, uint16_t height, bool enable);

    // Builds the list at start: the seven common sizes and each monitor's (primary
    // first; a size already listed adds nothing), then the stored sizes enabled or,
    // with none stored, every size that fits at least one monitor (each side compared).
    void PopulateScreenSizes(const std::vector<PackedSize>& monitors);

    // The enabled sizes, last entry (largest area) first.
    std::vector<PackedSize> CollectEnabledSizes() const;

    // Hook around the stored "GridArray" value: fills the array before a save and,
    // after a load that found one, takes its first MAX_STORED_SIZES sizes as the
    // stored sizes (replacing what an earlier load took).
    void ExchangeGridArray(GridArrayDirection direction, std::vector<PackedSize>& array);

    // Row operations of the Grid page; rows are indices into Entries(), in any order.
    void SetEnabled(size_t row, bool enabled);
    void SetSelectionEnabled(const std::vector<size_t>& selectedRows, bool enabled);
    void RemoveSelection(const std::vector<size_t>& selectedRows);

    const std::vector<ScreenSize>& Entries() const { return entries_; }
    const std::vector<PackedSize>& StoredSizes() const { return storedSizes_; }

private:
    std::vector<ScreenSize> entries_;
    std::vector<PackedSize> storedSizes_;  // as read from the profile file
    bool hasStoredList_ = false;           // set once a load delivered a size
};
