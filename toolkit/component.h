#pragma once
// The root of the component model. A component has an owner that frees it, a Name unique among the
// owner's components and a Tag. It keeps the components it owns in creation order and frees them
// last-first. Components are freed only through Free() (never with delete): freeing is put off while
// the component, or one of the components it owns or shows, is inside one of its own events.
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace tk {

class TComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
    const std::vector<TComponent*>& ComponentList() const { return components_; }
    // Position in the owner's list, -1 without owner.
    int ComponentIndex() const;
    // Among the owned components; names compare without case.
    TComponent* FindComponent(const QString& name) const;
    // Hands the component over to this owner.
    void InsertComponent(TComponent* component);

    const QString& Name() const { return name_; }
    // Throws EComponentError for a name that is not an identifier or that the owner already has.
    void SetName(const QString& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // True from the start of reading a form description until Loaded.
    bool IsLoading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    bool IsDestroying() const { return destroying_; }

    // The component that shows this one (a control's parent); nullptr for non-visual components.
    virtual TComponent* ParentComponent() const { return nullptr; }
    // Where a form description nests this component; throws EComponentError when it cannot go there.
    virtual void SetParentComponent(TComponent* parent);

    // Runs once the whole tree of a form description exists and its references are resolved.
    virtual void Loaded();

    // Frees the component and everything it owns, now or when the events that hold it have returned.
    void Free();

protected:
    // Runs before any destructor, with the object still whole: overrides do their own work, then call
    // the base, which frees the owned components.
    virtual void BeforeDestruction();

private:
    friend class BusyScope;
    void Destroy();
    void DestroyComponents();
    void RemoveComponent(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    QString name_;
    int tag_ = 0;
    bool loading_ = false;
    bool destroying_ = false;
};

struct FreeDeleter {
    void operator()(TComponent* component) const {
        if (component) component->Free();
    }
};
// Holds a component that has no owner, for code that creates one on its own.
template <class T> using Owned = std::unique_ptr<T, FreeDeleter>;

// Frees the component that ref points at and clears ref first, so that handlers see it gone.
template <class T> void FreeAndNil(T*& ref) {
    T* component = ref;
    ref = nullptr;
    if (component) component->Free();
}

} // namespace tk
