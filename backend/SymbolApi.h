#pragma once
// The symbol look-ups of the relation-search picker and the symbol combo.
// Each forwards to the back-end installed in the host context; with none
// installed each answers false, 0 or nothing. Out sequences are replaced on
// success and left as they were on failure. A market is a quote service
// byte; its two-character exchange name is the one the feed sent, else its
// number in two hexadecimal digits ("10" for market 16). The CCDSInfo
// arguments narrow nothing.
//
// Quote items: 1019 the symbol's name; 1007 the name of the commodity the
// symbol belongs to. For a commodity, both give the commodity's name.
#include <vector>

#include "CString.h"
#include "SymbolRecords.h"
#include "WinTypes.h"

inline constexpr unsigned short kItemSymbolName = 1019;
inline constexpr unsigned short kItemCommodityName = 1007;

// Markets that have symbols (the picker's list), with full names.
bool BK_bGetQuoteServiceID(std::vector<BYTE>& markets, std::vector<CString>& names);
// Every market the back-end knows, with full names.
bool BK_bGetAllServiceID(std::vector<BYTE>& markets, std::vector<CString>& names);
bool BK_bGetServiceFullName(BYTE market, CString& fullName);
bool BK_bGetFullNameByServiceID(BYTE market, CString& fullName);
bool BK_bGetServiceExName(BYTE market, CString& exName);
// The market with that two-character exchange name; 0 when none.
BYTE BK_byGetServiceIDByExName(const CString& exName);

bool BK_bGetSection(std::vector<CString>& ids, std::vector<CString>& names, BYTE market);
bool BK_bHasSymbolBySectionID(BYTE market, const CString& sectionId);
bool BK_bGetSectionSymbolID(std::vector<CString>& ids, std::vector<CString>& names, BYTE market,
                            const CString& sectionId, const CCDSInfo* cds);
bool BK_bGetAllCommodityID(std::vector<CString>& ids, std::vector<CString>& names, BYTE market);
bool BK_bGetExchangeIDByService(std::vector<CString>& ids, BYTE market);
bool BK_bHasSymbolByExchangeID(BYTE market, const CString& exchangeId);
CString BK_cszGetExchangeFullNameByExchangeID(BYTE market, const CString& exchangeId);
CString BK_cszGetExchangeLocalNameByExchangeID(BYTE market, const CString& exchangeId);
bool BK_bGetSymbolIDByExchangeID(std::vector<CString>& ids, BYTE market, const CString& exchangeId);

// The symbols of a market in the back-end's order, narrowed by commodity and
// section ids when those are not empty.
bool BK_bGetSymbolID(std::vector<CString>& ids, BYTE market, const CString& commodityId,
                     const CString& sectionId, const CCDSInfo* cds);
bool BK_bGetSymbolID(std::vector<CString>& ids, std::vector<CString>& names, BYTE market,
                     const CString& commodityId, const CString& sectionId, const CCDSInfo* cds);
bool BK_bIsSymbolIDExist(BYTE market, const CString& symbolId);
bool BK_bGetCommodityIDBySymbolID(CString& commodityId, BYTE market, const CString& symbolId);

// One value per item number, in order; false (values untouched) when the
// symbol or any item is unknown. `latest` is accepted for the callers; the
// back-end always answers from what it holds.
bool BK_bGetItemDataByItemNo(BYTE market, const CString& symbolId,
                             const std::vector<unsigned short>& items,
                             std::vector<X1Format>& values, bool latest, const CCDSInfo* cds,
                             const CCDSInfo* cds2);
bool BK_bGetCommodityItemDataByItemNo(std::vector<X1Format>& values, BYTE market,
                                      const CString& commodityId,
                                      const std::vector<unsigned short>& items,
                                      const CCDSInfo* cds);
