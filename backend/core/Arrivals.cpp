#include "Arrivals.h"

void Arrivals::Arrived(const HeadlineId& id, std::int64_t now, bool story) {
    if (m_latency == 0) {
        m_entries.erase(id);
        return;
    }
    Entry& entry = m_entries[id];
    entry.recordDue = now + m_latency;
    entry.recordAsked = false;
    if (story) {
        entry.storyDue = now + m_latency;
        entry.storyAsked = false;
    }
}

void Arrivals::StoryArrived(const HeadlineId& id, std::int64_t now) {
    if (m_latency == 0) {
        if (auto it = m_entries.find(id); it != m_entries.end())
            it->second.storyDue = now;
        return;
    }
    Entry& entry = m_entries[id];
    entry.storyDue = now + m_latency;
    entry.storyAsked = false;
}

std::optional<std::int64_t> Arrivals::RecordDue(const HeadlineId& id, std::int64_t now) const {
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.recordDue <= now)
        return std::nullopt;
    return it->second.recordDue;
}

std::optional<std::int64_t> Arrivals::StoryDue(const HeadlineId& id, std::int64_t now) const {
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.storyDue <= now)
        return std::nullopt;
    return it->second.storyDue;
}

bool Arrivals::AskRecord(const HeadlineId& id) {
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.recordAsked)
        return false;
    it->second.recordAsked = true;
    return true;
}

bool Arrivals::AskStory(const HeadlineId& id) {
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || it->second.storyAsked)
        return false;
    it->second.storyAsked = true;
    return true;
}

void Arrivals::Prune(std::int64_t now) {
    std::erase_if(m_entries, [now](const auto& item) {
        return item.second.recordDue <= now && item.second.storyDue <= now;
    });
}
