#pragma once
// Declared properties. A class lists its published properties once, in a table
// of name, accessors and stored rule; Assign, writing, reading and the stored
// rule then work from the table. Tables of one hierarchy share its root type R
// (the type the generic operations see); a derived class's table extends its
// parent's. Tables are built once, on first use, in function-local statics.
#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "chart/property_stream.h"
#include "base/basic_types.h"

// ---- values of the stream ----
// Each conversion raises EReadError("Invalid property value") for a value of
// the wrong type or out of range.

bool BooleanValue(const TPropertyValue& Value);
std::int64_t IntegerValue(const TPropertyValue& Value, std::int64_t Min, std::int64_t Max);
// Extended, single or integer values.
long double FloatValue(const TPropertyValue& Value);
std::string StringValue(const TPropertyValue& Value);
// The ordinal of an identifier among Names (matched ignoring ASCII case).
int EnumValue(const TPropertyValue& Value, std::span<const char* const> Names);
// A colour identifier ("clRed", "clInfoBk", "clNone") or an integer.
TColor ColorValue(const TPropertyValue& Value);
// Named colours as identifiers, the others as integers.
void WriteColor(TPropertyWriter& Writer, TColor Value);

[[noreturn]] void InvalidPropertyValue();

// ---- value kinds ----

enum class TValueKind { Boolean, Integer, Float, String, Color, Enum };

// Writes and reads a value of type T of kind K. Floats are stored as 80-bit
// extended, colours as identifiers where named, enumerations as identifiers
// by ordinal.
template <TValueKind K, typename T>
struct TValueCodec {
    static constexpr TValueKind Kind = K;
    std::span<const char* const> Names;  // enumerations: the identifiers by ordinal

    void Write(TPropertyWriter& w, const T& v) const
    {
        if constexpr (K == TValueKind::Boolean)
            w.WriteBoolean(v);
        else if constexpr (K == TValueKind::Integer)
            w.WriteInteger(static_cast<std::int64_t>(v));
        else if constexpr (K == TValueKind::Float)
            w.WriteFloat(static_cast<long double>(v));
        else if constexpr (K == TValueKind::String)
            w.WriteString(v);
        else if constexpr (K == TValueKind::Color)
            WriteColor(w, v);
        else if (static_cast<std::size_t>(v) < Names.size())
            w.WriteIdent(Names[static_cast<std::size_t>(v)]);
        else
            w.WriteInteger(static_cast<std::int64_t>(v));
    }
    T Read(const TPropertyValue& v) const
    {
        if constexpr (K == TValueKind::Boolean)
            return BooleanValue(v);
        else if constexpr (K == TValueKind::Integer)
            return static_cast<T>(IntegerValue(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
        else if constexpr (K == TValueKind::Float)
            return static_cast<T>(FloatValue(v));
        else if constexpr (K == TValueKind::String)
            return StringValue(v);
        else if constexpr (K == TValueKind::Color)
            return ColorValue(v);
        else
            return static_cast<T>(EnumValue(v, Names));
    }
};

// An Integer property backed by a double: written as an integer; a float,
// as streams held it before, is read rounded to the nearest, halves to even.
struct TRoundedIntegerCodec : TValueCodec<TValueKind::Integer, int> {
    int Read(const TPropertyValue& v) const
    {
        if (v.Type != vaExtended && v.Type != vaSingle)
            return TValueCodec::Read(v);
        const auto r = std::nearbyint(v.Float);
        if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
            InvalidPropertyValue();
        return static_cast<int>(r);
    }
};

template <TValueKind K>
struct TKindTag {
    std::span<const char* const> Names;
};
inline constexpr TKindTag<TValueKind::Boolean> BooleanKind{};
inline constexpr TKindTag<TValueKind::Integer> IntegerKind{};
inline constexpr TKindTag<TValueKind::Float> FloatKind{};
inline constexpr TKindTag<TValueKind::String> StringKind{};
inline constexpr TKindTag<TValueKind::Color> ColorKind{};
// Names: the identifiers by ordinal.
inline TKindTag<TValueKind::Enum> EnumKind(std::span<const char* const> Names)
{
    return {Names};
}

// A getter and a setter (member functions or captureless lambdas) in place of
// a field: TAccessors{&C::Visible, &C::SetVisible}.
template <typename G, typename P>
struct TAccessors {
    G Get;
    P Set;
};

// ---- stored rules ----
// A plain value of the property's type is its stored default: the property is
// written only when it differs. The others:

// A default that each instance holds: TInstanceDefault{&C::DefaultAmount}
// (a field, a getter or a lambda on the object).
template <typename F>
struct TInstanceDefault {
    F Default;
};

// Written only when the predicate on the object answers true: TStoredWhen{&C::IsColorStored}.
template <typename F>
struct TStoredWhen {
    F Stored;
};

// Deduction guides for compilers without aggregate deduction.
template <typename G, typename P>
TAccessors(G, P) -> TAccessors<G, P>;
template <typename F>
TInstanceDefault(F) -> TInstanceDefault<F>;
template <typename F>
TStoredWhen(F) -> TStoredWhen<F>;

struct TAlwaysStored {};
inline constexpr TAlwaysStored AlwaysStored{};

template <typename R>
class TPropertyTable;

// A declared property as seen from outside the table (round-trip checks walk
// every property of an object with it).
struct TPropertyInfo {
    std::string Name;  // dotted for a sub-object's property
    // A value of Kind (Names: an enumeration's identifiers); else a
    // property with a stream form of its own.
    bool IsValue = false;
    TValueKind Kind = TValueKind::Integer;
    std::span<const char* const> Names;
    // Writes the current value, whether the stored rule would write it or not
    // (a property with its own form: only when stored).
    std::function<void(TPropertyWriter&)> WriteValue;
};

// One declared property of a hierarchy with root R.
template <typename R>
class TPropertyEntry {
public:
    explicit TPropertyEntry(std::string name) : m_name(std::move(name)) {}
    virtual ~TPropertyEntry() = default;
    TPropertyEntry(const TPropertyEntry&) = delete;
    TPropertyEntry& operator=(const TPropertyEntry&) = delete;

    const std::string& Name() const { return m_name; }
    // Read, never written nor copied.
    bool Obsolete() const { return m_obsolete; }
    // Copied by Assign.
    bool Assigned() const { return m_assigned && !m_obsolete; }

    // Writes the property, its name behind Prefix, when the stored rule asks for it.
    virtual void Write(const R& Object, TPropertyWriter& Writer, std::string_view Prefix) const = 0;
    // Reads the value of the property (Path empty) or of a sub-property of a
    // sub-object; false when Path names nothing.
    virtual bool Read(R& Object, std::string_view Path, TPropertyReader& Reader) const
    {
        if (!Path.empty())
            return false;
        return Set(Object, Path, Reader.ReadValue());
    }
    // The same with a value already read.
    virtual bool Set(R& Object, std::string_view Path, const TPropertyValue& Value) const = 0;
    virtual void Assign(R& Target, const R& Source) const = 0;
    // What Assign of the table does with the property.
    void Copy(R& Target, const R& Source) const
    {
        if (m_assignBy)
            m_assignBy(Target, Source);
        else
            Assign(Target, Source);
    }
    // Gives the property its stored default, where it has a plain or per-instance one.
    virtual void LoadDefault(R&) const {}
    // Adds what Out needs to know of the property (sub-objects are created
    // and walked); obsolete names add nothing.
    virtual void Describe(R&, std::string_view, std::vector<TPropertyInfo>&) const {}

private:
    template <typename, typename>
    friend class TPropertyTableBuilder;
    std::string m_name;
    bool m_obsolete = false;
    bool m_assigned = true;
    std::function<void(R&, const R&)> m_assignBy;
};

namespace property_detail {

template <typename T>
struct IsInstanceDefault : std::false_type {};
template <typename F>
struct IsInstanceDefault<TInstanceDefault<F>> : std::true_type {};
template <typename T>
struct IsStoredWhen : std::false_type {};
template <typename F>
struct IsStoredWhen<TStoredWhen<F>> : std::true_type {};

std::string JoinName(std::string_view Prefix, const std::string& Name);

template <typename T>
struct IsValueCodec : std::false_type {};
template <TValueKind K, typename T>
struct IsValueCodec<TValueCodec<K, T>> : std::true_type {};
template <>
struct IsValueCodec<TRoundedIntegerCodec> : std::true_type {};

// A value property: Get and Set are a field pointer, member functions or
// lambdas on C; a field is set through Changed when its value changes.
template <typename R, typename C, typename Codec, typename Getter, typename Setter, typename Stored>
class TValueEntry final : public TPropertyEntry<R> {
public:
    using T = std::remove_cvref_t<std::invoke_result_t<Getter, const C&>>;
    TValueEntry(std::string name, Codec kind, Getter get, Setter set, Stored stored, std::function<void(R&)> changed)
        : TPropertyEntry<R>(std::move(name)), m_kind(kind), m_get(get), m_set(set), m_stored(stored),
          m_changed(std::move(changed))
    {
    }

    void Write(const R& Object, TPropertyWriter& Writer, std::string_view Prefix) const override
    {
        const C& c = static_cast<const C&>(Object);
        const T v = Value(c);
        if (!IsStored(c, v))
            return;
        if (Prefix.empty())
            Writer.WritePropName(this->Name());
        else
            Writer.WritePropName(JoinName(Prefix, this->Name()));
        m_kind.Write(Writer, v);
    }
    bool Set(R& Object, std::string_view Path, const TPropertyValue& Value) const override
    {
        if (!Path.empty())
            return false;
        Store(static_cast<C&>(Object), m_kind.Read(Value));
        return true;
    }
    void Assign(R& Target, const R& Source) const override
    {
        Store(static_cast<C&>(Target), Value(static_cast<const C&>(Source)));
    }
    void Describe(R& Object, std::string_view Prefix, std::vector<TPropertyInfo>& Out) const override
    {
        TPropertyInfo info;
        info.Name = JoinName(Prefix, this->Name());
        if constexpr (IsValueCodec<Codec>::value) {
            info.IsValue = true;
            info.Kind = Codec::Kind;
            info.Names = m_kind.Names;
        }
        const C* c = &static_cast<const C&>(Object);
        info.WriteValue = [this, c](TPropertyWriter& w) { m_kind.Write(w, Value(*c)); };
        Out.push_back(std::move(info));
    }
    void LoadDefault(R& Object) const override
    {
        C& c = static_cast<C&>(Object);
        if constexpr (IsInstanceDefault<Stored>::value)
            Store(c, static_cast<T>(std::invoke(m_stored.Default, std::as_const(c))));
        else if constexpr (!IsStoredWhen<Stored>::value && !std::is_same_v<Stored, TAlwaysStored>)
            Store(c, static_cast<T>(m_stored));
    }

private:
    T Value(const C& c) const { return static_cast<T>(std::invoke(m_get, c)); }
    void Store(C& c, T v) const
    {
        if constexpr (std::is_member_object_pointer_v<Setter>) {
            auto& field = c.*m_set;
            if (field == v)
                return;
            field = std::move(v);
            if (m_changed)
                m_changed(c);
        } else {
            std::invoke(m_set, c, std::move(v));
        }
    }
    bool IsStored(const C& c, const T& v) const
    {
        if constexpr (std::is_same_v<Stored, TAlwaysStored>)
            return true;
        else if constexpr (IsInstanceDefault<Stored>::value)
            return v != static_cast<T>(std::invoke(m_stored.Default, c));
        else if constexpr (IsStoredWhen<Stored>::value)
            return static_cast<bool>(std::invoke(m_stored.Stored, c));
        else
            return v != static_cast<T>(m_stored);
    }

    Codec m_kind;
    Getter m_get;
    Setter m_set;
    Stored m_stored;
    std::function<void(R&)> m_changed;
};

// A stream name read and mapped onto current properties by Read(C&, value).
template <typename R, typename C, typename F>
class TObsoleteEntry final : public TPropertyEntry<R> {
public:
    TObsoleteEntry(std::string name, F read) : TPropertyEntry<R>(std::move(name)), m_read(read) {}
    void Write(const R&, TPropertyWriter&, std::string_view) const override {}
    bool Set(R& Object, std::string_view Path, const TPropertyValue& Value) const override
    {
        if (!Path.empty())
            return false;
        std::invoke(m_read, static_cast<C&>(Object), Value);
        return true;
    }
    void Assign(R&, const R&) const override {}

private:
    F m_read;
};

// A property with its own stream form (a list of values, say): Write(const C&,
// writer) writes the value, Read(C&, reader) reads it; not copied by Assign.
template <typename R, typename C, typename W, typename Rd, typename S>
class TDefinedEntry final : public TPropertyEntry<R> {
public:
    TDefinedEntry(std::string name, W write, Rd read, S stored)
        : TPropertyEntry<R>(std::move(name)), m_write(write), m_read(read), m_stored(stored)
    {
    }
    void Write(const R& Object, TPropertyWriter& Writer, std::string_view Prefix) const override
    {
        const C& c = static_cast<const C&>(Object);
        if (!std::invoke(m_stored, c))
            return;
        Writer.WritePropName(Prefix.empty() ? this->Name() : JoinName(Prefix, this->Name()));
        std::invoke(m_write, c, Writer);
    }
    bool Read(R& Object, std::string_view Path, TPropertyReader& Reader) const override
    {
        if (!Path.empty())
            return false;
        std::invoke(m_read, static_cast<C&>(Object), Reader);
        return true;
    }
    bool Set(R&, std::string_view Path, const TPropertyValue&) const override
    {
        if (!Path.empty())
            return false;
        InvalidPropertyValue();
    }
    void Assign(R&, const R&) const override {}
    void Describe(R& Object, std::string_view Prefix, std::vector<TPropertyInfo>& Out) const override
    {
        TPropertyInfo info;
        info.Name = JoinName(Prefix, this->Name());
        const C* c = &static_cast<const C&>(Object);
        info.WriteValue = [this, c](TPropertyWriter& w) {
            if (std::invoke(m_stored, *c))
                std::invoke(m_write, *c, w);
        };
        Out.push_back(std::move(info));
    }

private:
    W m_write;
    Rd m_read;
    S m_stored;
};

// A sub-object, streamed as "Name.Sub" names (see TPropertyTableBuilder::Object).
template <typename R, typename C, typename S, typename Find, typename Make, typename Free, typename TableOf>
class TObjectEntry final : public TPropertyEntry<R> {
public:
    TObjectEntry(std::string name, Find find, Make make, Free free, TableOf tableOf)
        : TPropertyEntry<R>(std::move(name)), m_find(find), m_make(make), m_free(free), m_tableOf(tableOf)
    {
    }
    void Write(const R& Object, TPropertyWriter& Writer, std::string_view Prefix) const override
    {
        const S* sub = std::invoke(m_find, static_cast<const C&>(Object));
        if (!sub)
            return;
        const std::string prefix = JoinName(Prefix, this->Name()) + ".";
        std::invoke(m_tableOf, *sub).Write(*sub, Writer, prefix);
    }
    bool Read(R& Object, std::string_view Path, TPropertyReader& Reader) const override
    {
        if (Path.empty())
            InvalidPropertyValue();
        S* sub = std::invoke(m_make, static_cast<C&>(Object));
        return std::invoke(m_tableOf, *sub).Read(*sub, Path, Reader);
    }
    bool Set(R& Object, std::string_view Path, const TPropertyValue& Value) const override
    {
        if (Path.empty())
            InvalidPropertyValue();
        S* sub = std::invoke(m_make, static_cast<C&>(Object));
        return std::invoke(m_tableOf, *sub).Set(*sub, Path, Value);
    }
    void Assign(R& Target, const R& Source) const override
    {
        C& target = static_cast<C&>(Target);
        if (const S* source = std::invoke(m_find, static_cast<const C&>(Source))) {
            S* sub = std::invoke(m_make, target);
            std::invoke(m_tableOf, *sub).Assign(*sub, *source);
        } else if constexpr (!std::is_same_v<Free, std::nullptr_t>) {
            std::invoke(m_free, target);
        }
    }
    void Describe(R& Object, std::string_view Prefix, std::vector<TPropertyInfo>& Out) const override
    {
        S* sub = std::invoke(m_make, static_cast<C&>(Object));
        std::invoke(m_tableOf, *sub).Describe(*sub, JoinName(Prefix, this->Name()) + ".", Out);
    }

private:
    Find m_find;
    Make m_make;
    Free m_free;
    TableOf m_tableOf;
};

}  // namespace property_detail

template <typename R, typename C>
class TPropertyTableBuilder;

// The declared properties of one class of the hierarchy with root R, after
// those of its parent.
template <typename R>
class TPropertyTable {
public:
    // Starts the table of class C (R itself or derived from it).
    template <typename C = R>
    static TPropertyTableBuilder<R, C> Of(const TPropertyTable* Parent = nullptr);
    template <typename C>
    static TPropertyTableBuilder<R, C> Of(const TPropertyTable& Parent)
    {
        return TPropertyTableBuilder<R, C>(&Parent);
    }

    TPropertyTable(TPropertyTable&&) noexcept = default;
    TPropertyTable& operator=(TPropertyTable&&) noexcept = default;

    const TPropertyTable* Parent() const { return m_parent; }
    // The entry of a name (ASCII case ignored): the class's own, then the parent's.
    const TPropertyEntry<R>* Find(std::string_view Name) const;

    // The stored properties in table order, parent's first; obsolete names never.
    void Write(const R& Object, TPropertyWriter& Writer, std::string_view Prefix = {}) const;
    // One named value; a dotted name reaches into sub-objects. False for a name
    // the table does not know.
    bool Read(R& Object, std::string_view Name, TPropertyReader& Reader) const;
    bool Set(R& Object, std::string_view Name, const TPropertyValue& Value) const;
    // Name-value pairs up to the list end (left unread), in any order; a name
    // the table does not know raises the stream's read error, naming ClassName.
    void ReadList(R& Object, TPropertyReader& Reader, std::string_view ClassName) const;
    // Copies each declared property of the levels Source belongs to, base first,
    // inside one update of Target (one change notification).
    void Assign(R& Target, const R& Source) const;
    // Gives every property with a stored default that default: what a stream
    // that leaves the property out stands for.
    void LoadStoredDefaults(R& Object) const;
    // Every property the table writes, in writing order (sub-objects are
    // created and their properties given dotted names).
    std::vector<TPropertyInfo> Describe(R& Object, std::string_view Prefix = {}) const;
    void Describe(R& Object, std::string_view Prefix, std::vector<TPropertyInfo>& Out) const
    {
        DescribeLevels(Object, Prefix, this, Out);
    }

private:
    template <typename, typename>
    friend class TPropertyTableBuilder;
    TPropertyTable() = default;
    // The entry of the name's first part and the rest after the dot.
    std::pair<const TPropertyEntry<R>*, std::string_view> Resolve(std::string_view Name) const;
    void AssignLevels(R& Target, const R& Source) const;
    // Name is hidden by this level.
    bool Hides(std::string_view Name) const;
    // Name is hidden or retired by a level from Leaf down to, not including, this one.
    bool HiddenBelow(const TPropertyTable* Leaf, std::string_view Name) const;
    void WriteLevels(const R& Object, TPropertyWriter& Writer, std::string_view Prefix,
                     const TPropertyTable* Leaf) const;
    void LoadDefaultLevels(R& Object, const TPropertyTable* Leaf) const;
    void DescribeLevels(R& Object, std::string_view Prefix, const TPropertyTable* Leaf,
                        std::vector<TPropertyInfo>& Out) const;

    const TPropertyTable* m_parent = nullptr;
    bool (*m_isA)(const R&) = nullptr;
    std::function<void(R&)> m_changed;
    std::function<void(R&)> m_beginUpdate;
    std::function<void(R&)> m_endUpdate;
    std::vector<std::unique_ptr<TPropertyEntry<R>>> m_entries;
    std::vector<std::string> m_hidden;  // inherited names this level does not publish
    std::vector<std::string> m_retired;  // inherited names only read
};

// Declares the properties of class C, in writing order. Accessors are a field
// pointer, or a getter and a setter (member functions or captureless lambdas).
template <typename R, typename C>
class TPropertyTableBuilder {
public:
    explicit TPropertyTableBuilder(const TPropertyTable<R>* parent)
    {
        static_assert(std::is_base_of_v<R, C>);
        m_table.m_parent = parent;
        m_table.m_isA = [](const R& r) {
            if constexpr (std::is_same_v<R, C>)
                return true;
            else
                return dynamic_cast<const C*>(&r) != nullptr;
        };
        if (parent) {
            m_table.m_changed = parent->m_changed;
            m_table.m_beginUpdate = parent->m_beginUpdate;
            m_table.m_endUpdate = parent->m_endUpdate;
        }
    }

    // Called after a field property changes (properties with setters notify
    // themselves); serves the field properties declared after it.
    template <typename F>
    TPropertyTableBuilder& Changed(F f)
    {
        m_table.m_changed = [f](R& r) { std::invoke(f, static_cast<C&>(r)); };
        return *this;
    }
    // Bracket Assign, so that it notifies once.
    template <typename B, typename E>
    TPropertyTableBuilder& Updates(B begin, E end)
    {
        m_table.m_beginUpdate = [begin](R& r) { std::invoke(begin, static_cast<C&>(r)); };
        m_table.m_endUpdate = [end](R& r) { std::invoke(end, static_cast<C&>(r)); };
        return *this;
    }

    // A value property: Access is a field pointer or TAccessors{getter, setter};
    // Stored is its stored default or another stored rule.
    template <TValueKind K, typename A, typename S>
    TPropertyTableBuilder& Property(std::string name, TKindTag<K> kind, A access, S stored)
    {
        if constexpr (IsAccessors<A>::value) {
            using T = Got<decltype(access.Get)>;
            return Add(std::move(name), TValueCodec<K, T>{kind.Names}, access.Get, access.Set, stored);
        } else {
            return Add(std::move(name), TValueCodec<K, Got<A>>{kind.Names}, access, access, stored);
        }
    }

    // A property with a codec of its own (Write(writer, value), Read(value)).
    template <typename Codec, typename G, typename P, typename S>
    TPropertyTableBuilder& Add(std::string name, Codec codec, G get, P set, S stored)
    {
        using Entry = property_detail::TValueEntry<R, C, Codec, G, P, S>;
        m_table.m_entries.push_back(std::make_unique<Entry>(std::move(name), codec, get, set, stored, m_table.m_changed));
        return *this;
    }

    // A sub-object: Find(const C&) answers it or nullptr, Make(C&) answers it,
    // creating it (on first read); Free(C&) frees it where Assign's source has
    // none (nullptr for sub-objects that always exist). Table is the
    // sub-object's table, or TableOf(const S&) answers it (for polymorphic ones).
    template <typename F, typename M, typename X, typename SR>
    TPropertyTableBuilder& Object(std::string name, F find, M make, X free, const TPropertyTable<SR>& table)
    {
        using S = std::remove_pointer_t<std::invoke_result_t<M, C&>>;
        return Object(std::move(name), find, make, free,
                      [t = &table](const S&) -> const TPropertyTable<SR>& { return *t; });
    }
    template <typename F, typename M, typename X, typename T>
    TPropertyTableBuilder& Object(std::string name, F find, M make, X free, T tableOf)
    {
        using S = std::remove_pointer_t<std::invoke_result_t<M, C&>>;
        using Entry = property_detail::TObjectEntry<R, C, S, F, M, X, T>;
        m_table.m_entries.push_back(std::make_unique<Entry>(std::move(name), find, make, free, tableOf));
        return *this;
    }

    // A stream name of earlier versions: Read(C&, const TPropertyValue&) maps it
    // onto current properties; never written.
    template <typename F>
    TPropertyTableBuilder& Obsolete(std::string name, F read)
    {
        using Entry = property_detail::TObsoleteEntry<R, C, F>;
        auto entry = std::make_unique<Entry>(std::move(name), read);
        entry->m_obsolete = true;
        m_table.m_entries.push_back(std::move(entry));
        return *this;
    }

    // A property with its own stream form, written when Stored(const C&) answers true.
    template <typename W, typename Rd, typename S>
    TPropertyTableBuilder& Defined(std::string name, W write, Rd read, S stored)
    {
        using Entry = property_detail::TDefinedEntry<R, C, W, Rd, S>;
        auto entry = std::make_unique<Entry>(std::move(name), write, read, stored);
        entry->m_assigned = false;
        m_table.m_entries.push_back(std::move(entry));
        return *this;
    }

    // A binary property: Write(const C&) answers its bytes, Read(C&, bytes)
    // rebuilds from them; written when Stored(const C&) answers true.
    template <typename W, typename Rd, typename S>
    TPropertyTableBuilder& Binary(std::string name, W write, Rd read, S stored)
    {
        return Defined(
            std::move(name),
            [write](const C& c, TPropertyWriter& w) {
                const std::vector<std::uint8_t> bytes = std::invoke(write, c);
                w.WriteBinary(bytes);
            },
            [read](C& c, TPropertyReader& r) { std::invoke(read, c, r.ReadBinary()); }, stored);
    }

    // Inherited properties this class does not publish: not written, and
    // unknown when read (Assign still copies them, as the parent's code does).
    TPropertyTableBuilder& Hide(std::initializer_list<const char*> Names)
    {
        for (const char* n : Names)
            m_table.m_hidden.emplace_back(n);
        return *this;
    }

    // Inherited properties this class no longer publishes: not written, but
    // still read from streams that hold them (Assign copies them).
    TPropertyTableBuilder& Retire(std::initializer_list<const char*> Names)
    {
        for (const char* n : Names)
            m_table.m_retired.emplace_back(n);
        return *this;
    }

    // The last property declared is copied by Assign through F(C& target, const C& source).
    template <typename F>
    TPropertyTableBuilder& AssignedBy(F f)
    {
        if (!m_table.m_entries.empty()) {
            auto& e = *m_table.m_entries.back();
            e.m_assignBy = [f](R& t, const R& s) { std::invoke(f, static_cast<C&>(t), static_cast<const C&>(s)); };
            e.m_assigned = true;
        }
        return *this;
    }

    // The last property declared is streamed but not copied by Assign.
    TPropertyTableBuilder& NotAssigned()
    {
        if (!m_table.m_entries.empty())
            m_table.m_entries.back()->m_assigned = false;
        return *this;
    }

    operator TPropertyTable<R>() { return std::move(m_table); }

private:
    template <typename A>
    using Got = std::remove_cvref_t<std::invoke_result_t<A, const C&>>;
    template <typename A>
    struct IsAccessors : std::false_type {};
    template <typename G, typename P>
    struct IsAccessors<TAccessors<G, P>> : std::true_type {};
    TPropertyTable<R> m_table;
};

// ---- table operations ----

namespace property_detail {
bool SameName(std::string_view a, std::string_view b);
[[noreturn]] void UnknownProperty(std::string_view ClassName, std::string_view Name);
}  // namespace property_detail

template <typename R>
template <typename C>
TPropertyTableBuilder<R, C> TPropertyTable<R>::Of(const TPropertyTable* Parent)
{
    return TPropertyTableBuilder<R, C>(Parent);
}

template <typename R>
const TPropertyEntry<R>* TPropertyTable<R>::Find(std::string_view Name) const
{
    for (const TPropertyTable* t = this; t; t = t->m_parent) {
        for (const auto& e : t->m_entries)
            if (property_detail::SameName(e->Name(), Name))
                return e.get();
        if (t->Hides(Name))
            return nullptr;
    }
    return nullptr;
}

template <typename R>
bool TPropertyTable<R>::Hides(std::string_view Name) const
{
    for (const std::string& h : m_hidden)
        if (property_detail::SameName(h, Name))
            return true;
    return false;
}

template <typename R>
bool TPropertyTable<R>::HiddenBelow(const TPropertyTable* Leaf, std::string_view Name) const
{
    for (const TPropertyTable* t = Leaf; t && t != this; t = t->m_parent) {
        if (t->Hides(Name))
            return true;
        for (const std::string& r : t->m_retired)
            if (property_detail::SameName(r, Name))
                return true;
    }
    return false;
}

template <typename R>
void TPropertyTable<R>::Write(const R& Object, TPropertyWriter& Writer, std::string_view Prefix) const
{
    WriteLevels(Object, Writer, Prefix, this);
}

template <typename R>
void TPropertyTable<R>::WriteLevels(const R& Object, TPropertyWriter& Writer, std::string_view Prefix,
                                    const TPropertyTable* Leaf) const
{
    if (m_parent)
        m_parent->WriteLevels(Object, Writer, Prefix, Leaf);
    for (const auto& e : m_entries)
        if (!e->Obsolete() && !HiddenBelow(Leaf, e->Name()))
            e->Write(Object, Writer, Prefix);
}

template <typename R>
std::pair<const TPropertyEntry<R>*, std::string_view> TPropertyTable<R>::Resolve(std::string_view Name) const
{
    const std::size_t dot = Name.find('.');
    if (dot == std::string_view::npos)
        return {Find(Name), {}};
    return {Find(Name.substr(0, dot)), Name.substr(dot + 1)};
}

template <typename R>
bool TPropertyTable<R>::Read(R& Object, std::string_view Name, TPropertyReader& Reader) const
{
    const auto [entry, path] = Resolve(Name);
    return entry && entry->Read(Object, path, Reader);
}

template <typename R>
bool TPropertyTable<R>::Set(R& Object, std::string_view Name, const TPropertyValue& Value) const
{
    const auto [entry, path] = Resolve(Name);
    return entry && entry->Set(Object, path, Value);
}

template <typename R>
void TPropertyTable<R>::ReadList(R& Object, TPropertyReader& Reader, std::string_view ClassName) const
{
    while (!Reader.EndOfList()) {
        const std::string name = Reader.ReadPropName();
        if (!Read(Object, name, Reader))
            property_detail::UnknownProperty(ClassName, name);
    }
}

template <typename R>
void TPropertyTable<R>::Assign(R& Target, const R& Source) const
{
    if (&Target == &Source)
        return;
    if (m_beginUpdate)
        m_beginUpdate(Target);
    AssignLevels(Target, Source);
    if (m_endUpdate)
        m_endUpdate(Target);
}

template <typename R>
void TPropertyTable<R>::AssignLevels(R& Target, const R& Source) const
{
    if (m_parent)
        m_parent->AssignLevels(Target, Source);
    if (!m_isA(Source))
        return;
    for (const auto& e : m_entries)
        if (e->Assigned())
            e->Copy(Target, Source);
}

template <typename R>
void TPropertyTable<R>::LoadStoredDefaults(R& Object) const
{
    LoadDefaultLevels(Object, this);
}

template <typename R>
void TPropertyTable<R>::LoadDefaultLevels(R& Object, const TPropertyTable* Leaf) const
{
    if (m_parent)
        m_parent->LoadDefaultLevels(Object, Leaf);
    // a hidden property keeps what the constructor gave it
    for (const auto& e : m_entries)
        if (!e->Obsolete() && !HiddenBelow(Leaf, e->Name()))
            e->LoadDefault(Object);
}

template <typename R>
std::vector<TPropertyInfo> TPropertyTable<R>::Describe(R& Object, std::string_view Prefix) const
{
    std::vector<TPropertyInfo> out;
    DescribeLevels(Object, Prefix, this, out);
    return out;
}

template <typename R>
void TPropertyTable<R>::DescribeLevels(R& Object, std::string_view Prefix, const TPropertyTable* Leaf,
                                       std::vector<TPropertyInfo>& Out) const
{
    if (m_parent)
        m_parent->DescribeLevels(Object, Prefix, Leaf, Out);
    for (const auto& e : m_entries)
        if (!e->Obsolete() && !HiddenBelow(Leaf, e->Name()))
            e->Describe(Object, Prefix, Out);
}
