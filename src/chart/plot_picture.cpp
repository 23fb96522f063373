#include "chart/plot_picture.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "platform/bitmap_codec.h"

namespace {

std::vector<const TFilterClass*>& Registry()
{
    static std::vector<const TFilterClass*> classes;
    return classes;
}

}  // namespace

TPlotFilter::TPlotFilter() = default;
TPlotFilter::~TPlotFilter() = default;

const TPropertyTable<TFilterRegion>& TFilterRegion::Properties()
{
    static const TPropertyTable<TFilterRegion> table = TPropertyTable<TFilterRegion>::Of()
                                                           .Property("Height", IntegerKind, &TFilterRegion::Height, 0)
                                                           .Property("Left", IntegerKind, &TFilterRegion::Left, 0)
                                                           .Property("Top", IntegerKind, &TFilterRegion::Top, 0)
                                                           .Property("Width", IntegerKind, &TFilterRegion::Width, 0);
    return table;
}

const TPropertyTable<TPlotFilter>& TPlotFilter::Properties()
{
    static const TPropertyTable<TPlotFilter> table =
        TPropertyTable<TPlotFilter>::Of()
            .Property("Enabled", BooleanKind, TAccessors{&TPlotFilter::Enabled, &TPlotFilter::SetEnabled}, true)
            .Object("Region", &TPlotFilter::RegionIfAny, &TPlotFilter::Region,
                    [](TPlotFilter& f) { f.m_region.reset(); }, TFilterRegion::Properties());
    return table;
}

void TPlotFilter::Assign(const TPlotFilter& source)
{
    PropertyTable().Assign(*this, source);
}

bool TPlotFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    return PropertyTable().Set(*this, Name, Value);
}

TFilterRegion* TPlotFilter::Region()
{
    if (!m_region)
        m_region = std::make_unique<TFilterRegion>();
    return m_region.get();
}

void TPlotFilter::Apply(TBitmap& Bitmap, const TRect&)
{
    if (ScanLinesReady)
        return;
    Bitmap.SetPixelFormat(pf24bit);
    Lines.assign(static_cast<std::size_t>(Bitmap.Height()), nullptr);
    for (int y = 0; y < Bitmap.Height(); ++y)
        Lines[static_cast<std::size_t>(y)] = Bitmap.ScanLine(y);
}

void TPlotFilter::CreateEditor(IFilterEditor&) {}

TPlotFilter* TFilterItems::Add(const TFilterClass& Class)
{
    return AddItem(Class.Create());
}

TPlotFilter* TFilterItems::AddItem(std::unique_ptr<TPlotFilter> Item)
{
    Item->m_collection = this;
    m_items.push_back(std::move(Item));
    Changed();
    return m_items.back().get();
}

void TFilterItems::Delete(int i)
{
    if (i < 0 || i >= Count())
        return;
    m_items.erase(m_items.begin() + i);
    Changed();
}

void TFilterItems::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    Changed();
}

void TFilterItems::Changed()
{
    if (m_updating > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange();
}

void TFilterItems::EndUpdate()
{
    if (m_updating > 0 && --m_updating == 0 && m_changedWhileUpdating) {
        m_changedWhileUpdating = false;
        Changed();
    }
}

void TFilterItems::Assign(const TFilterItems* source)
{
    if (!source || source == this)
        return;
    BeginUpdate();
    Clear();
    for (const auto& item : source->m_items) {
        const TFilterClass* cls = FilterClassOf(*item);
        if (!cls)
            continue;
        TPlotFilter* copy = Add(*cls);
        copy->Assign(*item);
    }
    EndUpdate();
}

void TFilterItems::MoveFrom(TFilterItems& source)
{
    if (&source == this)
        return;
    m_items = std::move(source.m_items);
    source.m_items.clear();
    for (auto& item : m_items)
        item->m_collection = this;
    Changed();
}

void RegisterFilters(std::span<const TFilterClass* const> Classes)
{
    auto& reg = Registry();
    for (const TFilterClass* cls : Classes) {
        if (cls && !FindFilterClass(cls->ClassName))
            reg.push_back(cls);
    }
}

void UnRegisterFilters(std::span<const TFilterClass* const> Classes)
{
    auto& reg = Registry();
    for (const TFilterClass* cls : Classes)
        reg.erase(std::remove(reg.begin(), reg.end(), cls), reg.end());
}

std::span<const TFilterClass* const> RegisteredFilterClasses()
{
    return Registry();
}

const TFilterClass* FindFilterClass(const std::string& Name)
{
    for (const TFilterClass* cls : Registry())
        if (cls->ClassName == Name)
            return cls;
    return nullptr;
}

const TFilterClass* FilterClassOf(const TPlotFilter& Filter)
{
    return FindFilterClass(Filter.ClassName());
}

void ApplyTo(TPlotFilter& Filter, TBitmap& Bitmap)
{
    const int w = Bitmap.Width();
    const int h = Bitmap.Height();
    TRect r{0, 0, w - 1, h - 1};
    if (const TFilterRegion* region = Filter.RegionIfAny()) {
        r.Left = region->Left;
        r.Top = region->Top;
        r.Right = region->Width != 0 ? std::min(w - 1, region->Width + r.Left) : std::max(r.Left, w - 1);
        r.Bottom = region->Height != 0 ? std::min(h - 1, region->Height + r.Top) : std::max(r.Top, h - 1);
    }
    Filter.Apply(Bitmap, r);
}

void ApplyFilterClass(const TFilterClass& Class, TBitmap& Bitmap)
{
    std::unique_ptr<TPlotFilter> filter = Class.Create();
    ApplyTo(*filter, Bitmap);
}

void ApplyFilters(const TFilterItems& List, TBitmap& Bitmap)
{
    for (int i = 0; i < List.Count(); ++i)
        if (List.Item(i)->Enabled())
            ApplyTo(*List.Item(i), Bitmap);
}

TPlotPicture::TPlotPicture() = default;
TPlotPicture::~TPlotPicture() = default;

TFilterItems* TPlotPicture::Filters()
{
    if (!m_filters) {
        m_filters = std::make_unique<TFilterItems>();
        m_filters->OnChange = [this] { Changed(); };
    }
    return m_filters.get();
}

void TPlotPicture::SetFilters(const TFilterItems* value)
{
    if (!value)
        m_filters.reset();
    else
        Filters()->Assign(value);
}

TGraphic* TPlotPicture::FilteredGraphic()
{
    TGraphic* graphic = Graphic();
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (!bitmap || !HasFilters())
        return graphic;
    if (!m_filtered)
        m_filtered = std::make_unique<TBitmap>();
    m_filtered->Assign(*bitmap);
    // transparent as the graphic is, or as a filter made it
    ApplyFilters(*m_filters, *m_filtered);
    return m_filtered.get();
}

void TPlotPicture::Assign(const TPicture* source)
{
    if (source == this)
        return;
    if (auto* picture = dynamic_cast<const TPlotPicture*>(source))
        SetFilters(picture->m_filters.get());
    TPicture::Assign(source);
}

std::vector<std::uint8_t> TPlotPicture::WriteFilterItems() const
{
    TPropertyWriter w;
    WriteFilterItems(w);
    return w.Data();
}

void TPlotPicture::WriteFilterItems(TPropertyWriter& w) const
{
    w.WriteValueType(vaCollection);
    if (m_filters) {
        for (int i = 0; i < m_filters->Count(); ++i) {
            const TPlotFilter* f = m_filters->Item(i);
            w.WriteListBegin();
            w.WritePropName("ItemClass");
            w.WriteString(f->ClassName());
            f->PropertyTable().Write(*f, w);
            w.WriteListEnd();
        }
    }
    w.WriteListEnd();
}

void TPlotPicture::ReadFilterItems(std::span<const std::uint8_t> Data)
{
    // read into a fresh list; the picture's own list changes only on success
    TPropertyReader r(Data);
    TFilterItems list;
    ReadFilterList(r, list);
    if (!r.AtEnd())
        throw EReadError("Stream read error");
    Filters()->MoveFrom(list);
}

void TPlotPicture::ReadFilterItems(TPropertyReader& Reader)
{
    TFilterItems list;
    ReadFilterList(Reader, list);
    Filters()->MoveFrom(list);
}

void TPlotPicture::ReadFilterList(TPropertyReader& r, TFilterItems& list)
{
    if (r.ReadValueType() != vaCollection)
        throw EReadError("Stream read error");
    while (!r.EndOfList()) {
        const TValueType next = r.NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32)
            r.ReadInteger();
        r.ReadListBegin();
        if (r.ReadPropName() != "ItemClass")
            throw EReadError("Stream read error");
        const std::string className = r.ReadString();
        const TFilterClass* cls = FindFilterClass(className);
        if (!cls)
            throw EClassNotFound("Class " + className + " not found");
        TPlotFilter* item = list.Add(*cls);
        // a property left out of the stream had its stored default
        const TPropertyTable<TPlotFilter>& properties = item->PropertyTable();
        properties.LoadStoredDefaults(*item);
        properties.ReadList(*item, r, className);
        r.ReadListEnd();
    }
    r.ReadListEnd();
}

namespace {

constexpr const char* BitmapClassName = "TBitmap";
constexpr const char* PngClassName = "TPngImage";

[[noreturn]] void BadPictureData()
{
    throw EReadError("Invalid picture data");
}

}  // namespace

void CopyGraphic(TPicture& Target, const TPicture& Source)
{
    Target.TPicture::Assign(&Source);
}

void CopyFilters(TPlotPicture& Target, const TPlotPicture& Source)
{
    Target.SetFilters(Source.FiltersIfAny());
}

bool IsPictureDataStored(const TPicture& Picture)
{
    return Picture.HasGraphic() && dynamic_cast<const TBitmap*>(Picture.Graphic());
}

void WritePictureData(const TPicture& Picture, TPropertyWriter& Writer)
{
    std::string className;
    std::vector<std::uint8_t> bytes;
    if (const TPicture::TStreamForm* form = Picture.StreamForm()) {
        className = form->ClassName;
        bytes = form->Bytes;
    } else {
        const auto& bitmap = static_cast<const TBitmap&>(*Picture.Graphic());
        const std::vector<std::uint8_t> file = platform::EncodeBitmap(bitmap.ToDeviceBitmap(), "BMP");
        className = BitmapClassName;
        const auto n = static_cast<std::uint32_t>(file.size());
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>((n >> (8 * i)) & 0xFF));
        bytes.insert(bytes.end(), file.begin(), file.end());
    }
    std::vector<std::uint8_t> data;
    data.reserve(1 + className.size() + bytes.size());
    data.push_back(static_cast<std::uint8_t>(className.size()));
    data.insert(data.end(), className.begin(), className.end());
    data.insert(data.end(), bytes.begin(), bytes.end());
    Writer.WriteBinary(data);
}

void ReadPictureData(TPicture& Picture, TPropertyReader& Reader)
{
    const std::span<const std::uint8_t> data = Reader.ReadBinary();
    if (data.empty() || data[0] == 0 || data.size() < 1u + data[0])
        BadPictureData();
    const std::string className(reinterpret_cast<const char*>(data.data() + 1), data[0]);
    const std::span<const std::uint8_t> bytes = data.subspan(1u + data[0]);
    std::vector<std::uint8_t> image;
    if (className == BitmapClassName) {
        if (bytes.size() < 4)
            BadPictureData();
        const std::uint32_t n = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                static_cast<std::uint32_t>(bytes[2]) << 16 |
                                static_cast<std::uint32_t>(bytes[3]) << 24;
        if (n != bytes.size() - 4)
            BadPictureData();
        image.assign(bytes.begin() + 4, bytes.end());
        if (image.size() < 2 || image[0] != 'B' || image[1] != 'M')
            BadPictureData();
    } else if (className == PngClassName) {
        static constexpr std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (bytes.size() < std::size(signature) || !std::equal(std::begin(signature), std::end(signature), bytes.begin()))
            BadPictureData();
        image.assign(bytes.begin(), bytes.end());
    } else {
        throw EClassNotFound("Class " + className + " not found");
    }
    const std::optional<platform::Bitmap> decoded = platform::DecodeBitmap(image);
    if (!decoded || decoded->IsEmpty())
        BadPictureData();
    TBitmap bitmap;
    bitmap.FromDeviceBitmap(*decoded);
    Picture.SetGraphic(&bitmap, TPicture::TStreamForm{className, {bytes.begin(), bytes.end()}});
}

const TPropertyTable<TPicture>& PictureProperties()
{
    static const TPropertyTable<TPicture> table =
        TPropertyTable<TPicture>::Of()
            .Defined("Data", &WritePictureData, &ReadPictureData, &IsPictureDataStored)
            .AssignedBy(&CopyGraphic);
    return table;
}

const TPropertyTable<TPicture>& PlotPictureProperties()
{
    using P = TPlotPicture;
    static const TPropertyTable<TPicture> table =
        TPropertyTable<TPicture>::Of<P>(PictureProperties())
            .Defined(
                "FilterItems", [](const P& p, TPropertyWriter& w) { p.WriteFilterItems(w); },
                [](P& p, TPropertyReader& r) { p.ReadFilterItems(r); }, &P::IsFilterItemsStored)
            .AssignedBy(&CopyFilters);
    return table;
}
