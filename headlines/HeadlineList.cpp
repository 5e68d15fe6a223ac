#include "HeadlineList.h"

#include <algorithm>

bool HeadlineList::bGetAt(int index, CHeadlineTable& out) const {
    if (index < 0 || index >= iGetSize())
        return false;
    out = m_keys[static_cast<std::size_t>(index)];
    return true;
}

void HeadlineList::vClear() {
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_bTimeOrdered = true;
    m_filter.vReset();
    m_iRemoved = 0;
}

void HeadlineList::vAppend(const std::vector<CHeadlineTable>& keys) {
    const std::size_t first = m_keys.size();
    m_keys.insert(m_keys.end(), keys.begin(), keys.end());
    keysAdded(first, keys.size());
}

void HeadlineList::vAssign(const std::vector<CHeadlineTable>& keys) {
    vClear();
    vAppend(keys);
    // Built with the whole list, not by the first live headline after it:
    // at a million keys that takes tens of milliseconds, which belong to the
    // rebuild the person asked for, not to one news event.
    prepareFilter();
}

void HeadlineList::dropFilterOfOtherZone() const {
    if (m_filter.bIsBuilt() && !m_filter.bIsCurrentZone()) {
        m_filter.vReset();
        m_iRemoved = 0;
    }
}

void HeadlineList::keysAdded(std::size_t first, std::size_t count) {
    dropFilterOfOtherZone();
    for (std::size_t i = first; i < first + count; ++i) {
        if (m_bTimeOrdered && i > 0 && m_keys[i - 1].tTime < m_keys[i].tTime)
            m_bTimeOrdered = false;
        if (m_filter.bIsBuilt())
            m_filter.vAdd(m_keys[i]);
    }
}

void HeadlineList::vStableSort() {
    const auto newer = [](const CHeadlineTable& a, const CHeadlineTable& b) {
        return IsNewerHeadline(a, b);
    };
    // Each service's table comes newest first already; one service needs no sort.
    if (!std::is_sorted(m_keys.begin(), m_keys.end(), newer)) {
        std::vector<CHeadlineTable> keys(m_keys.begin(), m_keys.end());
        std::stable_sort(keys.begin(), keys.end(), newer);
        std::copy(keys.begin(), keys.end(), m_keys.begin());
    }
    m_bTimeOrdered = true;
    // A whole list gathered: its filter now (see vAssign).
    prepareFilter();
}

int HeadlineList::scan(const CHeadlineTable& key, std::size_t first, std::size_t last) const {
    const BYTE service = key.byService;
    const std::int32_t serial = key.dwSerial;
    for (std::size_t i = first; i < last; ++i) {
        const CHeadlineTable& entry = m_keys[i];
        // Service and serial first: the calendar day costs a time-zone look-up,
        // which the same time makes needless.
        if (entry.byService == service && entry.dwSerial == serial &&
            (entry.tTime == key.tTime || IsSameHeadline(entry, key)))
            return static_cast<int>(i);
    }
    return -1;
}

void HeadlineList::prepareFilter() const {
    const std::size_t size = m_keys.size();
    if (size < kFilterFrom)
        return;
    dropFilterOfOtherZone();
    if (!m_filter.bIsBuilt() || size > m_filter.iGetCapacity() || m_iRemoved > size / 2) {
        m_filter.vBuild(m_keys, size + size / 2);
        m_iRemoved = 0;
    }
}

int HeadlineList::iFind(const CHeadlineTable& key) const {
    const std::size_t size = m_keys.size();
    if (size >= kFilterFrom) {
        prepareFilter();
        if (!m_filter.bMayContain(key))
            return -1;
    }
    return scan(key, 0, size);
}

int HeadlineList::iFindNear(const CHeadlineTable& key, int first, int last) const {
    const int size = iGetSize();
    first = std::clamp(first, 0, size);
    last = std::clamp(last, first, size);
    const int near = scan(key, static_cast<std::size_t>(first), static_cast<std::size_t>(last));
    return near >= 0 ? near : iFind(key);
}

int HeadlineList::iGetTimePosition(std::int32_t time) const {
    if (m_bTimeOrdered) {
        // Live news lands at or near the top: look there first, in steps that
        // double, then search between the last two steps. A binary search over
        // the whole list would touch a cold cache line at every halving.
        const auto notEarlier = [time](const CHeadlineTable& k) { return k.tTime >= time; };
        const std::size_t size = m_keys.size();
        std::size_t low = 0;
        std::size_t high = 1;
        while (high <= size && notEarlier(m_keys[high - 1])) {
            low = high;
            high *= 2;
        }
        const auto first = m_keys.begin() + static_cast<std::ptrdiff_t>(low);
        const auto last = m_keys.begin() + static_cast<std::ptrdiff_t>(std::min(high, size));
        return static_cast<int>(std::partition_point(first, last, notEarlier) - m_keys.begin());
    }
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].tTime < time)
            return static_cast<int>(i);
    }
    return iGetSize();
}

bool HeadlineList::ordered(std::size_t index) const {
    const std::int32_t time = m_keys[index].tTime;
    if (index > 0 && m_keys[index - 1].tTime < time)
        return false;
    return index + 1 >= m_keys.size() || time >= m_keys[index + 1].tTime;
}

void HeadlineList::mayHave(const CHeadlineTable& key) {
    dropFilterOfOtherZone();
    if (m_filter.bIsBuilt())
        m_filter.vAdd(key);
}

void HeadlineList::vInsert(int index, const CHeadlineTable& key) {
    const auto at = static_cast<std::size_t>(std::clamp(index, 0, iGetSize()));
    m_keys.insert(m_keys.begin() + static_cast<std::ptrdiff_t>(at), key);
    mayHave(key);
    if (m_bTimeOrdered && !ordered(at))
        m_bTimeOrdered = false;
}

void HeadlineList::vErase(int index) {
    if (index < 0 || index >= iGetSize())
        return;
    m_keys.erase(m_keys.begin() + index);
    // The filter keeps the key's bits: it may answer "maybe" for it, never "no"
    // for another, so it stays right; enough stale bits make it rebuilt.
    if (m_filter.bIsBuilt())
        ++m_iRemoved;
}

void HeadlineList::vMoveToTop(int index, const CHeadlineTable& key) {
    if (index >= 0 && index < iGetSize()) {
        const CHeadlineTable removed = m_keys[static_cast<std::size_t>(index)];
        m_keys.erase(m_keys.begin() + index);
        // The same headline comes back at the top: its bits stay true.
        if (m_filter.bIsBuilt() && !IsSameHeadline(removed, key))
            ++m_iRemoved;
    }
    m_keys.push_front(key);
    mayHave(key);
    if (m_bTimeOrdered && !ordered(0))
        m_bTimeOrdered = false;
}

void HeadlineList::vGetSlice(int first, int count, std::vector<CHeadlineTable>& out) const {
    out.clear();
    const int size = iGetSize();
    if (first < 0 || first >= size || count <= 0)
        return;
    const int last = first + std::min(count, size - first);
    out.assign(m_keys.begin() + first, m_keys.begin() + last);
}

std::vector<CHeadlineTable> HeadlineList::ToVector() const {
    return std::vector<CHeadlineTable>(m_keys.begin(), m_keys.end());
}
