#pragma once
// Runtime classes: a CObject knows its class at run time, and a class declared
// dynamically creatable can be made by name. The host creates views this way
// from the modules it loads (ModuleLoader); the registry that maps names to
// classes is RuntimeClassRegistry.
//
// A class takes part with two macros:
//
//   class MyView : public SKQBaseView {
//       KQ_DECLARE_DYNCREATE(MyView)
//       ...
//   };
//   KQ_IMPLEMENT_DYNCREATE(MyView, SKQBaseView)   // in one .cpp file
//
// which give it a static CreateObject, a GetRuntimeClass override and a
// registration under its name for as long as its code is loaded. Classes that
// must not be created by name (abstract bases) use KQ_DECLARE_DYNAMIC /
// KQ_IMPLEMENT_DYNAMIC: they are registered and have a runtime class, but no
// create function.

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();    // null: not creatable by name
    const CRuntimeClass* m_pBaseClass;  // null for CObject

    // A new default-constructed object, owned by the caller, or null when the
    // class is not dynamically creatable.
    CObject* CreateObject() const;
    bool IsCreatable() const { return m_pfnCreateObject != nullptr; }
    // True for this class itself and for every class it derives from. Class
    // names are unique in a process, so a class is matched by address or name.
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    bool IsSameClass(const CRuntimeClass* other) const;
};

class CObject {
  public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;
    static const CRuntimeClass* GetThisClass() { return &classCObject; }

  protected:
    CObject() = default;
    // Copying is for derived classes only, so an object is never sliced to a
    // bare CObject.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Registers a runtime class by name while the code that defines it is loaded.
// A name that is already taken is refused (and reported); the destructor takes
// back only its own registration.
class RuntimeClassRegistrar {
  public:
    explicit RuntimeClassRegistrar(const CRuntimeClass* cls);
    ~RuntimeClassRegistrar();
    RuntimeClassRegistrar(const RuntimeClassRegistrar&) = delete;
    RuntimeClassRegistrar& operator=(const RuntimeClassRegistrar&) = delete;

  private:
    const CRuntimeClass* m_class;
};

#define KQ_RUNTIME_CLASS(Class) (&Class::class##Class)

// Both leave the class in private access; GetThisClass gives the runtime
// class of a class named in a template.
#define KQ_DECLARE_DYNAMIC(Class)                          \
  public:                                                  \
    static const CRuntimeClass class##Class;               \
    static const CRuntimeClass* GetThisClass() {           \
        return KQ_RUNTIME_CLASS(Class);                    \
    }                                                      \
    const CRuntimeClass* GetRuntimeClass() const override; \
                                                           \
  private:

#define KQ_DECLARE_DYNCREATE(Class) \
    KQ_DECLARE_DYNAMIC(Class)       \
  public:                           \
    static CObject* CreateObject(); \
                                    \
  private:

#define KQ_IMPLEMENT_RUNTIMECLASS_(Class, Base, create)                                 \
    const CRuntimeClass Class::class##Class { #Class, create, KQ_RUNTIME_CLASS(Base) }; \
    const CRuntimeClass* Class::GetRuntimeClass() const {                               \
        return KQ_RUNTIME_CLASS(Class);                                                 \
    }                                                                                   \
    namespace {                                                                         \
    const RuntimeClassRegistrar kqRegistrar_##Class(KQ_RUNTIME_CLASS(Class));           \
    }

#define KQ_IMPLEMENT_DYNAMIC(Class, Base) KQ_IMPLEMENT_RUNTIMECLASS_(Class, Base, nullptr)

#define KQ_IMPLEMENT_DYNCREATE(Class, Base) \
    CObject* Class::CreateObject() {        \
        return new Class;                   \
    }                                       \
    KQ_IMPLEMENT_RUNTIMECLASS_(Class, Base, &Class::CreateObject)
