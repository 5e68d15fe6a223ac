#include "RecordCache.h"

#include <utility>

RecordCache::RecordCache(std::size_t generation) : m_generation(generation == 0 ? 1 : generation) {
    m_newer.reserve(m_generation);
}

const CHeadline* RecordCache::Find(const HeadlineId& id) {
    if (const auto it = m_newer.find(id); it != m_newer.end())
        return &it->second;
    const auto it = m_older.find(id);
    if (it == m_older.end())
        return nullptr;
    CHeadline record = std::move(it->second);
    m_older.erase(it);
    return &place(id, std::move(record));
}

void RecordCache::Put(const HeadlineId& id, CHeadline record) {
    m_older.erase(id);
    if (const auto it = m_newer.find(id); it != m_newer.end()) {
        it->second = std::move(record);
        return;
    }
    place(id, std::move(record));
}

CHeadline& RecordCache::place(const HeadlineId& id, CHeadline record) {
    if (m_newer.size() >= m_generation) {
        m_older = std::move(m_newer);
        m_newer = Records();
        m_newer.reserve(m_generation);
    }
    return m_newer.emplace(id, std::move(record)).first->second;
}

void RecordCache::Forget(const HeadlineId& id) {
    m_newer.erase(id);
    m_older.erase(id);
}

void RecordCache::Clear() {
    m_newer.clear();
    m_older.clear();
}
