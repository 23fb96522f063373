#include "chart/chart_component.h"

#include "base/name_matching.h"

TComponent::TComponent(QObject* Owner) : QObject(Owner) {}

TComponent::~TComponent()
{
    MarkDestroying();
}

std::string TComponent::Name() const
{
    return objectName().toStdString();
}

void TComponent::SetName(const std::string& Value)
{
    const QString name = QString::fromStdString(Value);
    if (name == objectName())
        return;
    setObjectName(name);
}

QObject* TComponent::FindComponent(const std::string& Name) const
{
    return ::FindComponent(this, Name);
}

void TComponent::FreeNotification(QObject* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    LinkOneWay(AComponent);
    if (auto* other = qobject_cast<TComponent*>(AComponent))
        other->LinkOneWay(this);
}

void TComponent::RemoveFreeNotification(QObject* AComponent)
{
    if (!AComponent)
        return;
    UnlinkOneWay(AComponent);
    if (auto* other = qobject_cast<TComponent*>(AComponent))
        other->UnlinkOneWay(this);
}

void TComponent::LinkOneWay(QObject* AComponent)
{
    if (m_freeLinks.count(AComponent))
        return;
    // the connection ends with this object, so a freed receiver is never called
    m_freeLinks[AComponent] = connect(AComponent, &QObject::destroyed, this, [this](QObject* freed) {
        m_freeLinks.erase(freed);
        Notification(freed);
    });
}

void TComponent::UnlinkOneWay(QObject* AComponent)
{
    const auto it = m_freeLinks.find(AComponent);
    if (it == m_freeLinks.end())
        return;
    disconnect(it->second);
    m_freeLinks.erase(it);
}

void TComponent::BeginLoading()
{
    ++m_loading;
}

void TComponent::EndLoading()
{
    Q_ASSERT(m_loading > 0);
    if (m_loading == 0)
        return;
    if (--m_loading == 0)
        Loaded();
}

void TComponent::Notification(QObject*) {}

void TComponent::MarkDestroying()
{
    if (m_destroying)
        return;
    m_destroying = true;
    for (QObject* child : children())
        if (auto* owned = qobject_cast<TComponent*>(child))
            owned->MarkDestroying();
}

QObject* FindComponent(const QObject* Owner, const std::string& Name)
{
    if (!Owner || Name.empty())
        return nullptr;
    for (QObject* child : Owner->children())
        if (SameTextAscii(child->objectName().toStdString(), Name))
            return child;
    return nullptr;
}
