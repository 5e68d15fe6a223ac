#pragma once
// SKQCfgIO2: the host's configuration store. One SQLite database per store
// keeps typed values (int, bool, string, list of strings) in three scopes:
//
//   view        (view name, key1, key2, class key, value key)
//   view-common (scope name, key1, value key) - shared by every view that
//               passes the same scope name and key1
//   default     (class key, value key) - factory defaults, as in the System
//               store under <m_strCurrentDir>/SYS/System
//
// Every save is one transaction, so a crash leaves the old value or the new
// one, never a mixture. A get that finds nothing (or a value of another type)
// returns false and leaves the out value as it was. A file that is damaged,
// is not a store, was written by a newer version, is a folder or is held
// locked by another program is reported and never written to.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CString.h"

// PRAGMA application_id of a configuration store ("KQCF") and the format
// (user_version) this program reads and writes.
inline constexpr std::int64_t kConfigStoreApplicationId = 0x4B514346;
inline constexpr std::int64_t kConfigStoreFormatVersion = 1;

class SKQCfgIO2 {
  public:
    // The host's configuration folder. Folders given to the constructor may be
    // written with Windows separators ("\SYS\"); they are taken as '/'.
    static CString m_strCurrentDir;

    // Opens (creating it and its folder when missing) the store `name` in
    // `folder`: the file <folder>/<name>.kqcfg.
    SKQCfgIO2(const CString& folder, const CString& name);
    // A store that lives in memory only, for tests and tools.
    static std::unique_ptr<SKQCfgIO2> InMemory();
    ~SKQCfgIO2();
    SKQCfgIO2(const SKQCfgIO2&) = delete;
    SKQCfgIO2& operator=(const SKQCfgIO2&) = delete;

    bool IsOpen() const;
    // Open for reading only: the file or its folder cannot be written by this
    // user. Gets work; every save returns false and says so in GetError.
    bool IsReadOnly() const { return m_readOnly; }
    // Why the store could not be opened or the last operation failed.
    const std::string& GetError() const { return m_error; }
    const std::string& GetPath() const { return m_path; }
    static std::string FileName(const CString& folder, const CString& name);

    // View scope.
    bool GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                     const CString& valueKey, int& value) const;
    bool GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                     const CString& valueKey, bool& value) const;
    bool GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                     const CString& valueKey, CString& value) const;
    bool GetViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                     const CString& valueKey, std::vector<CString>& value) const;
    bool SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                      const CString& valueKey, const int& value) const;
    bool SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                      const CString& valueKey, const bool& value) const;
    bool SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                      const CString& valueKey, const CString& value) const;
    bool SaveViewInfo(const CString& view, int key1, int key2, const CString& classKey,
                      const CString& valueKey, const std::vector<CString>& value) const;

    // View-common scope.
    bool GetViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                           int& value) const;
    bool GetViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                           std::vector<CString>& value) const;
    bool SaveViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                            const int& value) const;
    bool SaveViewCommonInfo(const CString& scope, int key1, const CString& valueKey,
                            const std::vector<CString>& value) const;

    // Default scope. Views only read it; tools and scripts write it.
    bool GetViewDefaultInfo(const CString& classKey, const CString& valueKey,
                            std::vector<CString>& value) const;
    bool SaveViewDefaultInfo(const CString& classKey, const CString& valueKey,
                             const std::vector<CString>& value) const;

    // Every stored entry, for tools: one line per value, in a stable order.
    std::vector<std::string> Dump() const;

  private:
    SKQCfgIO2();
    struct Address;
    struct Impl;
    // The typed core under the named calls; T is int, bool, CString or
    // std::vector<CString>.
    template <typename T>
    bool get(const Address& at, T& out) const;
    template <typename T>
    bool save(const Address& at, const T& in) const;
    void fail(const std::string& message) const;

    std::unique_ptr<Impl> m_impl;
    std::string m_path;
    mutable std::string m_error;
    bool m_readOnly = false;
};
