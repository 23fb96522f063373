#pragma once
// Base of the chart's components (series, functions, data sources, tools): a
// name, an owner that frees what it owns, look-up by name among an owner's
// components, free notifications and a loading state. Built on QObject: the
// owner is the QObject parent, the name the object name.
#include <QObject>

#include <map>
#include <string>

class TComponent : public QObject {
    Q_OBJECT
public:
    // Owner may be any QObject (a form, a chart); it frees this component.
    explicit TComponent(QObject* Owner = nullptr);
    ~TComponent() override;

    std::string Name() const;
    void SetName(const std::string& Value);
    QObject* Owner() const { return parent(); }

    // The owned object of that name (ASCII letters compared without case), or
    // nullptr; an empty name finds nothing.
    QObject* FindComponent(const std::string& Name) const;

    // From now on Notification(AComponent) runs when AComponent is freed; a
    // component linked so is told of this one's freeing likewise.
    void FreeNotification(QObject* AComponent);
    void RemoveFreeNotification(QObject* AComponent);

    // Loading runs from the first BeginLoading to the matching EndLoading,
    // which then calls Loaded.
    void BeginLoading();
    void EndLoading();
    bool Loading() const { return m_loading > 0; }

    // Set while this component or its owner is being freed.
    bool Destroying() const { return m_destroying; }

protected:
    // AComponent is being freed: only its address may be used, its own parts
    // are gone already.
    virtual void Notification(QObject* AComponent);
    // Loading has ended.
    virtual void Loaded() {}
    // Marks this component and those it owns, at any depth, as being freed. A
    // destructor that must see Destroying() calls it first.
    void MarkDestroying();

private:
    void LinkOneWay(QObject* AComponent);
    void UnlinkOneWay(QObject* AComponent);

    std::map<QObject*, QMetaObject::Connection> m_freeLinks;
    int m_loading = 0;
    bool m_destroying = false;
};

// The child of Owner of that name (ASCII letters compared without case), or
// nullptr; an empty name finds nothing.
QObject* FindComponent(const QObject* Owner, const std::string& Name);
