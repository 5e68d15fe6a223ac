#pragma once
// The news functions the view calls. Each forwards to the back-end installed
// in the host context (HostContext::SetNewsBackend); with none installed each
// answers false, 0 or nothing. Look-ups answer from what the back-end holds
// now; requests are answered later, as events (NewsEventSink).
#include <vector>

#include "CString.h"
#include "NewsRecords.h"
#include "SearchConditions.h"
#include "SymbolRecords.h"
#include "WinTypes.h"

// Every news service, in the back-end's order (replaces `services`).
bool NEWS_bGetAllNewsService(std::vector<BYTE>& services);
// The service's current news day as eight digits YYYYMMDD; empty when unknown.
CString NEWS_cszGetCurrDateByService(BYTE service);
bool NEWS_bGetFullNameByService(CString& name, BYTE service);
bool NEWS_bGetShortNameByService(CString& name, BYTE service);

// Replaces `keys` with the keys of the service's table, newest first: kind 0
// a day (key YYYYMMDD), 1 a category (key its id), 2 a symbol (key its id),
// 3 and 4 the last search result of the kind named by the key ("SEARCH",
// "RELATIONSEARCH"). Returns how many; `known` tells whether the service and
// key name a table. On failure `keys` is emptied, so a caller that appends it
// unchecked appends nothing.
int NEWS_iGetHeadlineTable(BYTE service, std::vector<CHeadlineTable>& keys, int kind,
                           const CString& key, bool& known);
// Appends to `headlines` the records at hand for those keys that belong to
// `service`, in key order; returns how many. Records on their way arrive
// with a headlines-arrived event.
int NEWS_iGetHeadline(BYTE service, std::vector<CHeadline>& headlines,
                      const std::vector<CHeadlineTable>& keys);
// True and the story filled when it is at hand (an empty text: the headline
// has no story). False with an empty text otherwise; a story-arrived event
// follows when it comes.
bool NEWS_bGetStory(CStory& story, const CHeadlineTable& key);

// Runs a search (kind 3 "SEARCH", 4 "RELATIONSEARCH") over the service's
// headlines of today and the seven days before; the result becomes the kind's
// table and a search-result event follows with the condition as given.
bool NEWS_bSearchNews(BYTE service, int kind, const CSearch& condition);
// Sends the service's headlines among `keys` again: recovery batches for
// their day, categories and symbols, then a headlines-arrived event.
// `headlines` is not used.
bool NEWS_bReCoverHeadline(BYTE service, std::vector<CHeadline>& headlines,
                           const std::vector<CHeadlineTable>& keys);
// Sends the story again: a story-arrived event follows.
bool News_bReRequestHeadlineStory(const CHeadlineTable& key);
// The keywords as given, each followed by the short names of the listed
// symbols it is the id of: what a search of them finds in a title, for
// FindMatchSpans to mark. With no back-end, the keywords alone.
std::vector<std::string> NEWS_vecMatchKeywords(const std::vector<CString>& keywords);

// The categories of a service as two parallel lists (ids as decimal text).
bool BK_bNewsAPI_GetNewsCatId(BYTE service, std::vector<CString>& ids, std::vector<CString>& names);
// Whether the feed is connected to its source.
bool BK_bIsConnect();
// The user's entitlement. Never null: with no back-end, an entitlement to no
// past days.
SKQAuthorization* s_GetAuthPtr();
