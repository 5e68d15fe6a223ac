#pragma once
// The headline keys of one function mode, in the order its grid shows them:
// row i of the grid is entry i. Newest first after every rebuild; a new
// headline is placed at its time, and a headline sent again goes to the top.
//
// Built for a whole day's news (a million keys) with a live feed adding at
// the top: the keys sit in a deque (9 bytes each, adding or removing at
// either end moves nothing), the time position is a binary search while the
// list is in time order, and the identity look-up asks a compact filter
// before it scans. Every operation keeps the plain meaning of a list that is
// scanned from the front; the speed-ups change no answer.
#include <cstdint>
#include <deque>
#include <vector>

#include "HeadlineFilter.h"
#include "NewsRecords.h"

class HeadlineList {
  public:
    int iGetSize() const { return static_cast<int>(m_keys.size()); }
    bool bIsEmpty() const { return m_keys.empty(); }
    // The entry at `index`, which must be valid (0 ... size - 1).
    CHeadlineTable GetAt(int index) const { return m_keys[static_cast<std::size_t>(index)]; }
    // False (out untouched) for an index outside the list.
    bool bGetAt(int index, CHeadlineTable& out) const;

    // Replacing the whole list: empty it, append what each service gives,
    // then put it in headline order.
    void vClear();
    void vAppend(const std::vector<CHeadlineTable>& keys);
    void vAssign(const std::vector<CHeadlineTable>& keys);
    // Newest first (IsNewerHeadline), equal keys keeping their order.
    void vStableSort();

    // The index of the first entry that is the same headline (IsSameHeadline),
    // or -1.
    int iFind(const CHeadlineTable& key) const;
    // The same, looking at entries [first, last) before the rest of the list:
    // for keys known to be shown there. In a list that holds each headline
    // once (as every list the view builds does) this gives the iFind answer.
    int iFindNear(const CHeadlineTable& key, int first, int last) const;
    bool bContains(const CHeadlineTable& key) const { return iFind(key) >= 0; }
    // A hint that `key` is looked for next: its part of the filter is loaded.
    void vPrefetch(const CHeadlineTable& key) const { m_filter.vPrefetch(key); }

    // The index of the first entry whose time is earlier than `time`, or the
    // size when there is none: where a new headline of that time goes, after
    // the entries of the same time.
    int iGetTimePosition(std::int32_t time) const;

    // `index` must be 0 ... size.
    void vInsert(int index, const CHeadlineTable& key);
    // `index` must be valid.
    void vErase(int index);
    // Removes the entry at `index` and puts `key` at the top.
    void vMoveToTop(int index, const CHeadlineTable& key);

    // Entries [first, first + count), cut at the end of the list; `out` is replaced.
    void vGetSlice(int first, int count, std::vector<CHeadlineTable>& out) const;
    std::vector<CHeadlineTable> ToVector() const;

    // Bytes the list holds beyond its keys' own 9 (the filter).
    std::size_t iGetIndexBytes() const { return m_filter.iGetBytes(); }

  private:
    // Short lists are scanned; the filter pays from here on.
    static constexpr std::size_t kFilterFrom = 256;

    int scan(const CHeadlineTable& key, std::size_t first, std::size_t last) const;
    bool ordered(std::size_t index) const;  // entry index fits its neighbours' times
    void keysAdded(std::size_t first, std::size_t count);
    void mayHave(const CHeadlineTable& key);
    // Drops a filter built in another time zone: its days are no longer the days.
    // Builds the look-up filter of a list long enough to want one, or
    // builds it again when the list has outgrown it or removals left it stale.
    void prepareFilter() const;
    void dropFilterOfOtherZone() const;

    std::deque<CHeadlineTable> m_keys;
    // Every entry's time is not later than the time of the entry before it.
    bool m_bTimeOrdered = true;
    // Built on the first look-up in a long list; rebuilt larger when the
    // list has outgrown it, and afresh when removals have left it stale.
    mutable HeadlineFilter m_filter;
    mutable std::size_t m_iRemoved = 0;  // entries removed since the filter was built
};
