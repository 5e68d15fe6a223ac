// The NEWS_ functions: adapt the back-end's answers to the callers' forms.
#include "NewsApi.h"

#include "HostContext.h"
#include "NewsBackend.h"

namespace {

NewsBackend* backend() {
    return HostContext::Current().Part<NewsBackend>();
}

// A news day written as YYYYMMDD; anything else is no day.
bool isDay(std::int32_t day) {
    return day >= 10000101 && day <= 99991231;
}

}  // namespace

bool NEWS_bGetAllNewsService(std::vector<BYTE>& services) {
    NewsBackend* news = backend();
    if (!news || !news->IsOpen())
        return false;
    std::vector<BYTE> all;
    for (const ServiceRow& row : news->Services())
        all.push_back(row.service);
    services = std::move(all);
    return true;
}

CString NEWS_cszGetCurrDateByService(BYTE service) {
    NewsBackend* news = backend();
    if (!news)
        return {};
    const std::optional<ServiceRow> row = news->Service(service);
    if (!row || !isDay(row->newsDay))
        return {};
    return CString::Formatted("%08d", row->newsDay);
}

bool NEWS_bGetFullNameByService(CString& name, BYTE service) {
    NewsBackend* news = backend();
    const std::optional<ServiceRow> row = news ? news->Service(service) : std::nullopt;
    if (!row)
        return false;
    name = row->fullName;
    return true;
}

bool NEWS_bGetShortNameByService(CString& name, BYTE service) {
    NewsBackend* news = backend();
    const std::optional<ServiceRow> row = news ? news->Service(service) : std::nullopt;
    if (!row)
        return false;
    name = row->shortName;
    return true;
}

int NEWS_iGetHeadlineTable(BYTE service, std::vector<CHeadlineTable>& keys, int kind,
                           const CString& key, bool& known) {
    NewsBackend* news = backend();
    auto table = news ? news->HeadlineTable(service, kind, key) : std::nullopt;
    known = table.has_value();
    if (!table) {
        keys.clear();
        return 0;
    }
    keys = std::move(*table);
    return static_cast<int>(keys.size());
}

int NEWS_iGetHeadline(BYTE service, std::vector<CHeadline>& headlines,
                      const std::vector<CHeadlineTable>& keys) {
    NewsBackend* news = backend();
    return news ? news->AppendHeadlines(service, keys, headlines) : 0;
}

bool NEWS_bGetStory(CStory& story, const CHeadlineTable& key) {
    NewsBackend* news = backend();
    if (!news) {
        story.strStory.Empty();
        return false;
    }
    return news->GetStory(key, story);
}

bool NEWS_bSearchNews(BYTE service, int kind, const CSearch& condition) {
    NewsBackend* news = backend();
    return news && news->SearchNews(service, kind, condition);
}

bool NEWS_bReCoverHeadline(BYTE service, std::vector<CHeadline>& /*headlines*/,
                           const std::vector<CHeadlineTable>& keys) {
    NewsBackend* news = backend();
    return news && news->RecoverHeadlines(service, keys);
}

bool News_bReRequestHeadlineStory(const CHeadlineTable& key) {
    NewsBackend* news = backend();
    return news && news->ReRequestStory(key);
}

bool BK_bNewsAPI_GetNewsCatId(BYTE service, std::vector<CString>& ids,
                              std::vector<CString>& names) {
    NewsBackend* news = backend();
    const auto categories = news ? news->Categories(service) : std::nullopt;
    if (!categories)
        return false;
    ids.clear();
    names.clear();
    for (const NamedRow& row : *categories) {
        ids.push_back(row.id);
        names.push_back(row.name);
    }
    return true;
}

bool BK_bIsConnect() {
    NewsBackend* news = backend();
    return news && news->IsConnected();
}

SKQAuthorization* s_GetAuthPtr() {
    if (NewsBackend* news = backend())
        return news->Authorization();
    // Callers dereference the pointer at once; with no back-end nobody is
    // entitled to past days.
    static SKQAuthorization noBackend(0);
    return &noBackend;
}

std::vector<std::string> NEWS_vecMatchKeywords(const std::vector<CString>& keywords) {
    NewsBackend* news = backend();
    if (news && news->IsOpen())
        return news->KeywordsWithAliases(keywords);
    std::vector<std::string> plain;
    for (const CString& keyword : keywords)
        plain.push_back(keyword.str());
    return plain;
}
