// Runtime classes and module loading: classes created by name with their
// class chain, the registry and which module owns what, loading a module by
// path, its errors, and unloading.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "HostContext.h"
#include "TempDir.h"
#include "framework/CObject.h"
#include "framework/ModuleLoader.h"
#include "framework/RuntimeClassRegistry.h"
#include "framework/SKQBaseView.h"
#include "ui/WindowSystem.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

const std::string kTestModule = KQ_TEST_MODULE;
const std::string kNotAModule = KQ_NOT_A_MODULE;
constexpr const char* kModuleView = "SKQTestModuleView";

std::vector<std::string> ChainOf(const CRuntimeClass* cls) {
    std::vector<std::string> names;
    for (; cls; cls = cls->m_pBaseClass)
        names.emplace_back(cls->m_lpszClassName);
    return names;
}

bool Mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

// Classes of the host itself, registered at start-up.
class HostTestView : public SKQBaseView {
    KQ_DECLARE_DYNCREATE(HostTestView)

  public:
    HostTestView() { m_strCaption = "Host view"; }
};
KQ_IMPLEMENT_DYNCREATE(HostTestView, SKQBaseView)

class HostTestRecord : public CObject {
    KQ_DECLARE_DYNCREATE(HostTestRecord)

  public:
    int value = 7;
};
KQ_IMPLEMENT_DYNCREATE(HostTestRecord, CObject)

namespace {

TEST(RuntimeClassTest, ClassesAreCreatedByNameWithTheirWholeChainAndNamesAreNotTakenTwice) {
    const CRuntimeClass* cls = RuntimeClassRegistry::Find("HostTestView");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls, KQ_RUNTIME_CLASS(HostTestView));
    EXPECT_EQ(ChainOf(cls), (std::vector<std::string>{"HostTestView", "SKQBaseView", "CObject"}));
    EXPECT_TRUE(cls->IsDerivedFrom(KQ_RUNTIME_CLASS(SKQBaseView)));
    EXPECT_TRUE(cls->IsDerivedFrom(KQ_RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(cls->IsDerivedFrom(KQ_RUNTIME_CLASS(HostTestRecord)));
    EXPECT_FALSE(KQ_RUNTIME_CLASS(SKQBaseView)->IsDerivedFrom(cls)) << "a base is not its derived";

    std::unique_ptr<CObject> object(cls->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), cls);
    EXPECT_TRUE(object->IsKindOf(KQ_RUNTIME_CLASS(SKQBaseView)));
    auto* view = dynamic_cast<SKQBaseView*>(object.get());
    ASSERT_NE(view, nullptr) << "the object made by name is the view";
    CString caption;
    view->GetCaption(caption);
    EXPECT_EQ(caption, "Host view") << "default-constructed as the class itself";
    EXPECT_NE(dynamic_cast<CView*>(object.get()), nullptr) << "and a window of the layer";

    std::unique_ptr<CObject> record(RuntimeClassRegistry::Find("HostTestRecord")->CreateObject());
    EXPECT_EQ(dynamic_cast<HostTestRecord&>(*record).value, 7);
    EXPECT_FALSE(record->IsKindOf(KQ_RUNTIME_CLASS(SKQBaseView)));

    // Host classes belong to the host, and names are not taken twice.
    EXPECT_EQ(RuntimeClassRegistry::ModuleOf("HostTestView"), "");
    const auto names = RuntimeClassRegistry::Names();
    for (const char* name : {"CObject", "SKQBaseView", "HostTestView", "HostTestRecord"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    EXPECT_EQ(RuntimeClassRegistry::Find("NoSuchClass"), nullptr);

    // Another class under a taken name is refused and cannot remove the first.
    const CRuntimeClass impostor{"HostTestView", nullptr, KQ_RUNTIME_CLASS(CObject)};
    EXPECT_FALSE(RuntimeClassRegistry::Register(&impostor));
    RuntimeClassRegistry::Unregister(&impostor);
    EXPECT_EQ(RuntimeClassRegistry::Find("HostTestView"), KQ_RUNTIME_CLASS(HostTestView));
}

TEST(RuntimeClassTest, CreatingByNameExplainsEveryRefusal) {
    ModuleLoader loader;
    EXPECT_EQ(loader.CreateObject("NoSuchView"), nullptr);
    EXPECT_TRUE(Mentions(loader.GetError(), "NoSuchView")) << loader.GetError();

    EXPECT_EQ(loader.CreateObject("SKQBaseView"), nullptr) << "the base view is not creatable";
    EXPECT_TRUE(Mentions(loader.GetError(), "cannot be created")) << loader.GetError();

    EXPECT_EQ(loader.Create<SKQBaseView>("HostTestRecord"), nullptr);
    EXPECT_TRUE(Mentions(loader.GetError(), "is not a SKQBaseView")) << loader.GetError();

    auto view = loader.Create<SKQBaseView>("HostTestView");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(loader.GetError(), "") << "a success clears the last error";
    EXPECT_STREQ(view->GetRuntimeClass()->m_lpszClassName, "HostTestView");
}

class ModuleLoaderTest : public ::testing::Test {
  protected:
    HostContext context;
    HeadlessUi ui{context};
    CWnd frame;
    void SetUp() override {
        ASSERT_TRUE(frame.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    }
};

TEST_F(ModuleLoaderTest, AModuleIsLoadedByPathAndItsViewCreatedByName) {
    ModuleLoader loader;
    const auto module = loader.Load(kTestModule);
    ASSERT_TRUE(module) << loader.GetError();
    EXPECT_EQ(module->name, "test_module");
    EXPECT_EQ(module->version, "1.2.3");
    EXPECT_EQ(module->path, std::filesystem::canonical(kTestModule).string());
    EXPECT_EQ(module->classes, std::vector<std::string>{kModuleView});
    EXPECT_EQ(RuntimeClassRegistry::ModuleOf(kModuleView), "test_module");

    auto view = loader.Create<SKQBaseView>(kModuleView);
    ASSERT_NE(view, nullptr) << loader.GetError();
    EXPECT_EQ(ChainOf(view->GetRuntimeClass()),
              (std::vector<std::string>{kModuleView, "SKQBaseView", "CObject"}));
    CString caption;
    view->GetCaption(caption);
    EXPECT_EQ(caption, "Module view from test_module") << "the module's code runs";

    // The module registered its message when it was attached, before any of
    // its views was made, and its view answers it.
    ASSERT_TRUE(view->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &frame, 1));
    const UINT changeSize = RegisterWindowMessage("KQMSG_CHANGESIZE");
    EXPECT_EQ(view->SendMessage(changeSize), 1);
    EXPECT_EQ(view->SendMessage(changeSize), 2);
    EXPECT_EQ(view->SendMessage(WM_NULL), 0);
}

TEST_F(ModuleLoaderTest, UnloadingTakesTheClassesAwayAndLoadingAgainBringsThemBack) {
    ModuleLoader loader;
    ASSERT_TRUE(loader.Load(kTestModule)) << loader.GetError();
    EXPECT_TRUE(loader.Find("test_module"));
    EXPECT_TRUE(loader.Find(kTestModule)) << "found by path too";

    ASSERT_TRUE(loader.Unload("test_module")) << loader.GetError();
    EXPECT_EQ(RuntimeClassRegistry::Find(kModuleView), nullptr);
    EXPECT_FALSE(loader.Find("test_module"));
    EXPECT_TRUE(loader.Modules().empty());
    EXPECT_EQ(loader.CreateObject(kModuleView), nullptr);
    EXPECT_TRUE(Mentions(loader.GetError(), kModuleView)) << loader.GetError();
    EXPECT_FALSE(loader.Unload("test_module")) << "not loaded any more";
    EXPECT_TRUE(Mentions(loader.GetError(), "test_module")) << loader.GetError();

    ASSERT_TRUE(loader.Load(kTestModule)) << loader.GetError();
    auto view = loader.Create<SKQBaseView>(kModuleView);
    ASSERT_NE(view, nullptr) << loader.GetError();
    view.reset();
    EXPECT_TRUE(loader.Unload(kTestModule)) << "unloaded by path";
    EXPECT_EQ(RuntimeClassRegistry::Find(kModuleView), nullptr);
}

TEST_F(ModuleLoaderTest, AModuleLeftInMemoryGetsItsClassesBackWhenLoadedAgain) {
    const std::size_t knownBefore = RuntimeClassRegistry::AllClasses().size();
    // Someone else opens the library first and keeps it open: its classes
    // register for the host then, unloading cannot unmap it, and loading it
    // again runs none of its start-up code.
    void* pin = dlopen(kTestModule.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(pin, nullptr) << dlerror();
    EXPECT_EQ(RuntimeClassRegistry::ModuleOf(kModuleView), "");
    {
        ModuleLoader loader;
        ASSERT_TRUE(loader.Load(kTestModule)) << loader.GetError();
        EXPECT_EQ(RuntimeClassRegistry::ModuleOf(kModuleView), "test_module")
            << "the module's classes are told by where they live";
        ASSERT_TRUE(loader.Unload("test_module"));
        EXPECT_EQ(RuntimeClassRegistry::Find(kModuleView), nullptr);
        const auto again = loader.Load(kTestModule);
        ASSERT_TRUE(again) << loader.GetError();
        EXPECT_EQ(again->classes, std::vector<std::string>{kModuleView});
        auto view = loader.Create<SKQBaseView>(kModuleView);
        ASSERT_NE(view, nullptr) << loader.GetError();
        ASSERT_TRUE(view->Create("", WS_CHILD, CRect(0, 0, 100, 100), &frame, 1));
        EXPECT_EQ(view->SendMessage(RegisterWindowMessage("KQMSG_CHANGESIZE")), 1)
            << "its view works as before";
    }
    EXPECT_EQ(RuntimeClassRegistry::Find(kModuleView), nullptr);
    dlclose(pin);
    EXPECT_EQ(RuntimeClassRegistry::AllClasses().size(), knownBefore)
        << "once the library leaves memory nothing of it stays in the registry";
}

TEST_F(ModuleLoaderTest, AModuleStaysWhileAnyLoaderHoldsIt) {
    {
        ModuleLoader first;
        ModuleLoader second;
        ASSERT_TRUE(first.Load(kTestModule));
        ASSERT_TRUE(first.Load(kTestModule)) << "loading again gives the same module";
        ASSERT_TRUE(second.Load(kTestModule));
        ASSERT_TRUE(first.Unload("test_module"));
        EXPECT_FALSE(first.Find("test_module")) << "one load, one unload";
        EXPECT_NE(RuntimeClassRegistry::Find(kModuleView), nullptr) << "the second still holds it";
        auto view = second.Create<SKQBaseView>(kModuleView);
        EXPECT_NE(view, nullptr);
    }
    EXPECT_EQ(RuntimeClassRegistry::Find(kModuleView), nullptr)
        << "a loader lets go of its modules when it goes";
}

TEST_F(ModuleLoaderTest, FilesThatAreNoModulesAreRefusedWithTheirPathAndReason) {
    TempDir dir;
    const std::string missing = dir.file("libmissing.so");
    const std::string garbage = dir.write("libgarbage.so", "this is not a shared library\n");
    ModuleLoader loader;

    EXPECT_FALSE(loader.Load(""));
    EXPECT_TRUE(Mentions(loader.GetError(), "no module path")) << loader.GetError();

    EXPECT_FALSE(loader.Load(missing));
    EXPECT_TRUE(Mentions(loader.GetError(), missing)) << loader.GetError();
    EXPECT_TRUE(Mentions(loader.GetError(), "not found")) << loader.GetError();

    EXPECT_FALSE(loader.Load(dir.str()));
    EXPECT_TRUE(Mentions(loader.GetError(), "is not a file")) << loader.GetError();

    EXPECT_FALSE(loader.Load(garbage));
    EXPECT_TRUE(Mentions(loader.GetError(), "cannot load module '" + garbage + "'"))
        << loader.GetError();

    EXPECT_FALSE(loader.Load(kNotAModule));
    EXPECT_TRUE(Mentions(loader.GetError(), kNotAModule)) << loader.GetError();
    EXPECT_TRUE(Mentions(loader.GetError(), "is not a module")) << loader.GetError();
    EXPECT_TRUE(Mentions(loader.GetError(), "kq_module_entry")) << loader.GetError();

    EXPECT_TRUE(loader.Modules().empty()) << "nothing stays half loaded";
    ASSERT_TRUE(loader.Load(kTestModule)) << "a failure leaves the loader usable";
}

TEST_F(ModuleLoaderTest, AModuleWhoseClassNameIsTakenIsRefusedWhole) {
    // The host already has a class of that name.
    const CRuntimeClass hostClass{kModuleView, nullptr, KQ_RUNTIME_CLASS(CObject)};
    ASSERT_TRUE(RuntimeClassRegistry::Register(&hostClass));
    {
        ModuleLoader loader;
        EXPECT_FALSE(loader.Load(kTestModule));
        EXPECT_TRUE(Mentions(loader.GetError(), kModuleView)) << loader.GetError();
        EXPECT_TRUE(Mentions(loader.GetError(), "already registered by the host"))
            << loader.GetError();
        EXPECT_TRUE(loader.Modules().empty());
        EXPECT_EQ(RuntimeClassRegistry::Find(kModuleView), &hostClass) << "the host's stays";
    }
    RuntimeClassRegistry::Unregister(&hostClass);

    ModuleLoader loader;
    ASSERT_TRUE(loader.Load(kTestModule)) << loader.GetError();
    EXPECT_NE(RuntimeClassRegistry::Find(kModuleView), nullptr)
        << "once the name is free the module loads";
    EXPECT_EQ(RuntimeClassRegistry::ModuleOf(kModuleView), "test_module");
}

}  // namespace
