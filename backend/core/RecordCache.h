#pragma once
// Headline records recently read from the store, by identity: a view refills
// the page it shows again and again (every burst of live news, every scroll
// back), and each record from the store costs a query.
//
// Kept in two generations: a record found in the older one moves to the
// newer; when the newer is full the older is dropped. So the records asked
// for lately stay, at two hash look-ups at most.
//
// Not thread-safe: the back-end uses it under its lock, and forgets a record
// whenever the store's copy may change (see NewsBackend).
#include <cstddef>
#include <unordered_map>

#include "NewsRecords.h"
#include "store/StoreRecords.h"

class RecordCache {
  public:
    // Records per generation.
    explicit RecordCache(std::size_t generation = 4096);

    // The record, or null; valid until the cache is next changed.
    const CHeadline* Find(const HeadlineId& id);
    void Put(const HeadlineId& id, CHeadline record);
    void Forget(const HeadlineId& id);
    void Clear();
    std::size_t Size() const { return m_newer.size() + m_older.size(); }

  private:
    using Records = std::unordered_map<HeadlineId, CHeadline>;
    CHeadline& place(const HeadlineId& id, CHeadline record);

    std::size_t m_generation;
    Records m_newer;
    Records m_older;
};
