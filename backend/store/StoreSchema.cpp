#include "StoreSchema.h"

namespace news_store {

// Catalog tables keep their rows in the order they were first added (pos):
// that order is the back-end's order of services, categories and symbols.
// Headline serials are kept as signed 32-bit values, so ORDER BY serial agrees
// with the newest-first order of the keys.
const char* const kCreateSchema = R"sql(
CREATE TABLE service(
    pos        INTEGER PRIMARY KEY,
    service    INTEGER NOT NULL UNIQUE CHECK(service BETWEEN 0 AND 255),
    full_name  TEXT    NOT NULL,
    short_name TEXT    NOT NULL,
    news_day   INTEGER NOT NULL);
CREATE TABLE category(
    pos     INTEGER PRIMARY KEY,
    service INTEGER NOT NULL,
    id      TEXT    NOT NULL,
    name    TEXT    NOT NULL,
    UNIQUE(service, id));
CREATE TABLE market(
    pos       INTEGER PRIMARY KEY,
    market    INTEGER NOT NULL UNIQUE CHECK(market BETWEEN 0 AND 255),
    full_name TEXT    NOT NULL,
    ex_name   TEXT    NOT NULL DEFAULT '');
CREATE TABLE section(
    pos    INTEGER PRIMARY KEY,
    market INTEGER NOT NULL,
    id     TEXT    NOT NULL,
    name   TEXT    NOT NULL,
    UNIQUE(market, id));
CREATE TABLE commodity(
    pos    INTEGER PRIMARY KEY,
    market INTEGER NOT NULL,
    id     TEXT    NOT NULL,
    name   TEXT    NOT NULL,
    UNIQUE(market, id));
CREATE TABLE exchange(
    pos        INTEGER PRIMARY KEY,
    market     INTEGER NOT NULL,
    id         TEXT    NOT NULL,
    full_name  TEXT    NOT NULL,
    local_name TEXT    NOT NULL,
    UNIQUE(market, id));
CREATE TABLE symbol(
    pos       INTEGER PRIMARY KEY,
    market    INTEGER NOT NULL,
    id        TEXT    NOT NULL,
    name      TEXT    NOT NULL,
    commodity TEXT    NOT NULL,
    section   TEXT    NOT NULL,
    exchange  TEXT    NOT NULL,
    UNIQUE(market, id));
CREATE INDEX symbol_by_commodity ON symbol(market, commodity);
CREATE INDEX symbol_by_section   ON symbol(market, section);
CREATE INDEX symbol_by_exchange  ON symbol(market, exchange);
CREATE TABLE headline(
    id          INTEGER PRIMARY KEY,
    service     INTEGER NOT NULL,
    day         INTEGER NOT NULL,
    serial      INTEGER NOT NULL,
    time        INTEGER NOT NULL,
    title       TEXT    NOT NULL,
    reserved    INTEGER NOT NULL,
    deleted     INTEGER NOT NULL,
    category_id INTEGER NOT NULL,
    category    TEXT    NOT NULL,
    UNIQUE(service, day, serial));
CREATE INDEX headline_by_day      ON headline(service, day, time, serial);
CREATE INDEX headline_by_category ON headline(service, category, time, serial);
CREATE TABLE headline_symbol(
    symbol   TEXT    NOT NULL,
    service  INTEGER NOT NULL,
    time     INTEGER NOT NULL,
    serial   INTEGER NOT NULL,
    headline INTEGER NOT NULL REFERENCES headline(id) ON DELETE CASCADE,
    pos      INTEGER NOT NULL,
    PRIMARY KEY(symbol, service, time, serial, headline)) WITHOUT ROWID;
CREATE INDEX headline_symbol_by_headline ON headline_symbol(headline);
CREATE TABLE story(
    headline INTEGER PRIMARY KEY REFERENCES headline(id) ON DELETE CASCADE,
    text     TEXT NOT NULL);
)sql";

const char* const kCreateSymbolChange = R"sql(
CREATE TABLE IF NOT EXISTS symbol_change(n INTEGER NOT NULL);
INSERT INTO symbol_change SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM symbol_change);
CREATE TRIGGER IF NOT EXISTS symbol_change_insert AFTER INSERT ON symbol BEGIN
    UPDATE symbol_change SET n = n + 1;
END;
CREATE TRIGGER IF NOT EXISTS symbol_change_update AFTER UPDATE ON symbol BEGIN
    UPDATE symbol_change SET n = n + 1;
END;
CREATE TRIGGER IF NOT EXISTS symbol_change_delete AFTER DELETE ON symbol BEGIN
    UPDATE symbol_change SET n = n + 1;
END;
)sql";

const char* const kTables[] = {"service",  "category", "market",   "section",         "commodity",
                               "exchange", "symbol",   "headline", "headline_symbol", "story"};
const int kTableCount = static_cast<int>(sizeof kTables / sizeof kTables[0]);

}  // namespace news_store
