// How the tab strip looks: the colour set (the terminal's follows the host's
// colour scheme, also after a change of scheme), the appearance styles, the
// themed accent and the caption font, as recorded by a paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "HostApi.h"
#include "HostContext.h"
#include "ui/headless/HeadlessFrontEnd.h"
#include "ui/tab/CXTPTabControl.h"
#include "ui/tab/SKQTabColorSet.h"

namespace {

using Op = RecordingDC::Op;
const std::string kColours = std::string(KQ_SOURCE_DIR) + "/data/colors/";

// Colours no scheme uses, so every drawn colour tells where it came from.
class DistinctColours : public CXTPTabColorSetDefault {
  public:
    explicit DistinctColours(int* alive = nullptr) : m_alive(alive) {
        if (m_alive)
            ++*m_alive;
        DistinctColours::RefreshMetrics();
    }
    ~DistinctColours() override {
        if (m_alive)
            --*m_alive;
    }
    void RefreshMetrics() override {
        m_colors = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3),
                    RGB(4, 4, 4), RGB(5, 5, 5), RGB(6, 6, 6)};
    }

  private:
    int* m_alive;
};

class TabLookTest : public ::testing::Test {
  protected:
    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    CWnd parent;
    CXTPTabControl tabs;

    void SetUp() override {
        ASSERT_TRUE(parent.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 22), &parent, 3100));
        tabs.InsertItem(0, "ALL");
        tabs.InsertItem(1, "NEWS");
        tabs.InsertItem(2, "WARRANT");
        tabs.SetCurSel(1);
    }

    static std::vector<RecordingDC::Record> of(const RecordingDC& dc, Op op) {
        std::vector<RecordingDC::Record> result;
        for (const auto& record : dc.Records()) {
            if (record.op == op)
                result.push_back(record);
        }
        return result;
    }
    static bool filled(const RecordingDC& dc, const CRect& rect, COLORREF colour) {
        const auto fills = of(dc, Op::Fill);
        return std::any_of(fills.begin(), fills.end(),
                           [&](const auto& r) { return r.rect == rect && r.colour == colour; });
    }
};

TEST_F(TabLookTest, TheStripDrawsItsTabsInTheSetsColours) {
    tabs.GetPaintManager()->SetColorSet(new DistinctColours);
    auto dc = ui.FrontEnd().Paint(tabs);
    const auto& records = dc->Records();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().op, Op::Fill);
    EXPECT_EQ(records.front().rect, CRect(0, 0, 400, 22));
    EXPECT_EQ(records.front().colour, RGB(1, 1, 1)) << "the background first";
    EXPECT_TRUE(filled(*dc, tabs.GetItem(0)->GetRect(), RGB(2, 2, 2)));
    EXPECT_TRUE(filled(*dc, tabs.GetItem(1)->GetRect(), RGB(3, 3, 3)));
    EXPECT_TRUE(filled(*dc, tabs.GetItem(2)->GetRect(), RGB(2, 2, 2)));

    const auto texts = of(*dc, Op::Text);
    ASSERT_EQ(texts.size(), 3u);
    const char* expected[] = {"ALL", "NEWS", "WARRANT"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text, expected[i]);
        EXPECT_EQ(texts[i].colour, RGB(4, 4, 4));
        EXPECT_NE(texts[i].format & DT_SINGLELINE, 0u);
        EXPECT_NE(texts[i].format & DT_NOPREFIX, 0u);
        // Inside its own tab.
        const CRect tab = tabs.GetItem(static_cast<int>(i))->GetRect();
        EXPECT_GE(texts[i].rect.left, tab.left);
        EXPECT_LE(texts[i].rect.right, tab.right);
    }
    for (const auto& line : of(*dc, Op::Line))
        EXPECT_EQ(line.colour, RGB(5, 5, 5));
}

TEST_F(TabLookTest, ThePaintManagerOwnsItsColourSet) {
    int alive = 0;
    CXTPTabColorSetDefault* first = new DistinctColours(&alive);
    EXPECT_EQ(tabs.GetPaintManager()->SetColorSet(first), first);
    EXPECT_EQ(alive, 1);
    tabs.GetPaintManager()->SetColorSet(first);  // the same set again is kept, not freed
    EXPECT_EQ(alive, 1);
    tabs.GetPaintManager()->SetColorSet(new DistinctColours(&alive));
    EXPECT_EQ(alive, 1) << "the replaced set is freed";
    // Null goes back to the default greys.
    CXTPTabColorSetDefault* fallback = tabs.GetPaintManager()->SetColorSet(nullptr);
    EXPECT_EQ(alive, 0);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(fallback->GetColors().selectedTab, RGB(0xFF, 0xFF, 0xFF));
    {
        CXTPTabControl shortLived;
        shortLived.GetPaintManager()->SetColorSet(new DistinctColours(&alive));
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0) << "freed with its strip";
}

TEST_F(TabLookTest, TheTerminalsSetTakesTheHostSchemesColoursFromTheNextPaint) {
    ASSERT_TRUE(context.OwnServices().Colors().Load(kColours + "light.ini"));
    SKQTabColorSet set;
    const TabColors& colours = set.GetColors();
    EXPECT_EQ(colours.background, SYS_crGetOtherColor("COLOR_TAB_BACKGROUND"));
    EXPECT_EQ(colours.selectedTab, SYS_crGetOtherColor("COLOR_TAB_SELECTED"));
    EXPECT_EQ(colours.text, SYS_crGetOtherColor("COLOR_TAB_TEXT"));
    EXPECT_EQ(colours.normalTab, SYS_crGetOtherColor("COLOR_TAB_NORMAL"));
    EXPECT_EQ(colours.border, SYS_crGetOtherColor("COLOR_TAB_BORDER"));
    EXPECT_EQ(colours.accent, SYS_crGetOtherColor("COLOR_TAB_ACCENT"));
    EXPECT_EQ(colours.background, RGB(0xE4, 0xE9, 0xF0));
    // Captions must stand out on both kinds of tab in both shipped schemes.
    for (const char* scheme : {"light.ini", "dark.ini"}) {
        ASSERT_TRUE(context.OwnServices().Colors().Load(kColours + scheme));
        set.RefreshMetrics();
        EXPECT_NE(colours.text, colours.normalTab) << scheme;
        EXPECT_NE(colours.text, colours.selectedTab) << scheme;
        EXPECT_NE(colours.normalTab, colours.selectedTab) << scheme;
    }

    // A change of scheme shows on the next paint.
    ASSERT_TRUE(context.OwnServices().Colors().Load(kColours + "light.ini"));
    tabs.GetPaintManager()->SetColorSet(new SKQTabColorSet);
    auto light = ui.FrontEnd().Paint(tabs);
    EXPECT_EQ(light->Records().front().colour, RGB(0xE4, 0xE9, 0xF0));

    ASSERT_TRUE(context.OwnServices().Colors().Load(kColours + "dark.ini"));
    auto dark = ui.FrontEnd().Paint(tabs);
    EXPECT_EQ(dark->Records().front().colour, RGB(0x1A, 0x1F, 0x28));
    EXPECT_TRUE(filled(*dark, tabs.GetItem(1)->GetRect(), RGB(0x2E, 0x3A, 0x4C)));
}

TEST_F(TabLookTest, AppearanceStylesDrawTheirOwnShapes) {
    CXTPTabPaintManager& paint = *tabs.GetPaintManager();
    paint.SetColorSet(new DistinctColours);
    const CRect selected = tabs.GetItem(1)->GetRect();
    const auto baseLines = [](const RecordingDC& dc) {
        std::vector<CRect> lines;
        for (const auto& line : of(dc, Op::Line)) {
            if (line.rect.top == 21 && line.rect.bottom == 21)
                lines.push_back(line.rect);
        }
        return lines;
    };

    EXPECT_EQ(paint.GetAppearance(), tabAppearanceBox);
    auto box = ui.FrontEnd().Paint(tabs);
    EXPECT_EQ(baseLines(*box), (std::vector<CRect>{CRect(0, 21, 400, 21)}))
        << "one whole base line";

    EXPECT_TRUE(paint.SetAppearance(tabAppearancePropertyPage));
    auto page = ui.FrontEnd().Paint(tabs);
    // The base line stops at the selected tab, which opens into the page.
    EXPECT_EQ(baseLines(*page), (std::vector<CRect>{CRect(0, 21, selected.left, 21),
                                                    CRect(selected.right - 1, 21, 400, 21)}));

    EXPECT_TRUE(paint.SetAppearance(tabAppearanceButton));
    auto buttons = ui.FrontEnd().Paint(tabs);
    EXPECT_TRUE(baseLines(*buttons).empty());
    EXPECT_EQ(of(*buttons, Op::Frame).size(), 3u) << "every button framed";
    EXPECT_EQ(tabs.GetItem(0)->GetRect().top, 0) << "buttons stand level";
    EXPECT_EQ(tabs.GetItem(1)->GetRect().left, tabs.GetItem(0)->GetRect().right + 2) << "with gaps";

    EXPECT_TRUE(paint.SetAppearance(tabAppearanceFlat));
    auto flat = ui.FrontEnd().Paint(tabs);
    EXPECT_FALSE(filled(*flat, tabs.GetItem(0)->GetRect(), RGB(2, 2, 2)))
        << "unselected tabs unfilled";
    EXPECT_TRUE(filled(*flat, tabs.GetItem(1)->GetRect(), RGB(3, 3, 3)));

    EXPECT_FALSE(paint.SetAppearance(7));
    EXPECT_FALSE(paint.SetAppearance(-1));
    EXPECT_EQ(paint.GetAppearance(), tabAppearanceFlat);
}

TEST_F(TabLookTest, TheThemedAccentMarksTheSelectedTabUnlessDisabled) {
    CXTPTabPaintManager& paint = *tabs.GetPaintManager();
    paint.SetColorSet(new DistinctColours);
    const CRect selected = tabs.GetItem(1)->GetRect();
    const CRect accent(selected.left, selected.top, selected.right,
                       selected.top + CXTPTabPaintManager::kAccent);
    EXPECT_FALSE(paint.IsLunaColorsDisabled());
    EXPECT_TRUE(filled(*ui.FrontEnd().Paint(tabs), accent, RGB(6, 6, 6)));
    paint.DisableLunaColors(true);
    EXPECT_TRUE(paint.IsLunaColorsDisabled());
    auto plain = ui.FrontEnd().Paint(tabs);
    for (const auto& fill : of(*plain, Op::Fill))
        EXPECT_NE(fill.colour, RGB(6, 6, 6));
}

TEST_F(TabLookTest, CaptionsAreDrawnInThePaintManagersFont) {
    CFont windowFont("Window Face", 9);
    tabs.SetFont(&windowFont);
    auto before = ui.FrontEnd().Paint(tabs);
    for (const auto& text : of(*before, Op::Text))
        EXPECT_EQ(text.font, "Window Face");

    LOGFONT log;
    CFont("Noto Sans CJK TC", 15, 700).GetLogFont(&log);
    tabs.GetPaintManager()->SetFontIndirect(&log, false);
    auto after = ui.FrontEnd().Paint(tabs);
    const auto texts = of(*after, Op::Text);
    ASSERT_EQ(texts.size(), 3u);
    for (const auto& text : texts) {
        EXPECT_EQ(text.font, "Noto Sans CJK TC");
        EXPECT_EQ(text.fontHeight, 20);
    }
    // The paint manager keeps a copy of the description it was given.
    log.lfHeight = -50;
    EXPECT_EQ(tabs.GetPaintManager()->GetFont()->GetLogFont().lfHeight, -20);
    EXPECT_EQ(tabs.GetPaintManager()->GetFont()->GetWeight(), 700);
}

}  // namespace
