#pragma once
// Pictures with an ordered list of image filters, the filter base class, the
// registry of filter classes and the "FilterItems" stream of a picture.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "chart/graphics_objects.h"
#include "chart/plot_geometry.h"
#include "chart/property_model.h"
#include "chart/property_stream.h"

class TPlotFilter;
class TFilterItems;

// A filter class: its name (as streamed) and a factory.
struct TFilterClass {
    std::string ClassName;
    std::function<std::unique_ptr<TPlotFilter>()> Create;
};

// The part of the bitmap a filter works on.
class TFilterRegion {
public:
    static const TPropertyTable<TFilterRegion>& Properties();

    int Height = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
};

// The controls of a filter's editor, one labelled control per property, each
// bound to the field it edits (which must outlive the control).
class IFilterEditor {
public:
    virtual ~IFilterEditor() = default;
    // Range 0 to 10000.
    virtual void AddInteger(const std::string& Caption, int& Field) = 0;
    virtual void AddBoolean(const std::string& Caption, bool& Field) = 0;
    virtual void AddFloat(const std::string& Caption, double& Field) = 0;
    virtual void AddColor(const std::string& Caption, TColor& Field) = 0;
};

class TPlotFilter {
public:
    TPlotFilter();
    virtual ~TPlotFilter();

    // The published properties of the filter's class, Enabled and Region first.
    virtual const TPropertyTable<TPlotFilter>& PropertyTable() const { return Properties(); }
    // Those of this class: Enabled and Region.
    static const TPropertyTable<TPlotFilter>& Properties();
    // Copies the properties of the classes source shares with this filter.
    void Assign(const TPlotFilter& source);
    // Sets one published property by name; false for a name the class does not have.
    bool ReadProperty(const std::string& Name, const TPropertyValue& Value);

    // Works in place on a 24-bit bitmap inside R (Right and Bottom inclusive).
    // The base prepares the row table; subclasses work after calling it.
    virtual void Apply(TBitmap& Bitmap, const TRect& R);
    // Adds one editor control per property (none here).
    virtual void CreateEditor(IFilterEditor& Editor);
    virtual std::string Description() const { return ClassName(); }
    virtual std::string ClassName() const { return "TPlotFilter"; }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    // Created on first read.
    TFilterRegion* Region();
    bool HasRegion() const { return m_region != nullptr; }
    const TFilterRegion* RegionIfAny() const { return m_region.get(); }
    TFilterItems* Collection() const { return m_collection; }
    // Expires when the filter is destroyed: an editor bound to its fields lets go then.
    std::weak_ptr<const void> Lifetime() const { return m_lifetime; }

    // Set when Apply should keep the row table of an earlier run.
    bool ScanLinesReady = false;

protected:
    // First byte of each row of the bitmap being filtered (blue-green-red triples).
    std::vector<std::uint8_t*> Lines;

private:
    friend class TFilterItems;
    bool m_enabled = true;
    std::unique_ptr<TFilterRegion> m_region;
    TFilterItems* m_collection = nullptr;
    std::shared_ptr<const void> m_lifetime = std::make_shared<char>(0);
};

class TFilterItems {
public:
    TFilterItems() = default;
    TFilterItems(const TFilterItems&) = delete;
    TFilterItems& operator=(const TFilterItems&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    TPlotFilter* Item(int i) const { return m_items[static_cast<std::size_t>(i)].get(); }
    // Creates an item of the class at the end.
    TPlotFilter* Add(const TFilterClass& Class);
    // Takes over an item made elsewhere.
    TPlotFilter* AddItem(std::unique_ptr<TPlotFilter> Item);
    void Delete(int i);
    void Clear();
    // Replaces the items by copies of the source's.
    void Assign(const TFilterItems* source);
    // Takes every item of the source, which is left empty.
    void MoveFrom(TFilterItems& source);
    void BeginUpdate() { ++m_updating; }
    void EndUpdate();

    std::function<void()> OnChange;

private:
    void Changed();
    std::vector<std::unique_ptr<TPlotFilter>> m_items;
    int m_updating = 0;
    bool m_changedWhileUpdating = false;
};

// Registers filter classes by name (each once) so streams can recreate them.
void RegisterFilters(std::span<const TFilterClass* const> Classes);
void UnRegisterFilters(std::span<const TFilterClass* const> Classes);
const TFilterClass* FindFilterClass(const std::string& Name);
// The registered classes in registration order.
std::span<const TFilterClass* const> RegisteredFilterClasses();
// The filter class of an item (nullptr when it was never registered).
const TFilterClass* FilterClassOf(const TPlotFilter& Filter);

// Applies a filter to the bitmap within its region.
void ApplyTo(TPlotFilter& Filter, TBitmap& Bitmap);
// A filter of the class applied once to the whole bitmap.
void ApplyFilterClass(const TFilterClass& Class, TBitmap& Bitmap);
// Each enabled filter of the list, in order.
void ApplyFilters(const TFilterItems& List, TBitmap& Bitmap);

class TPlotPicture : public TPicture {
public:
    TPlotPicture();
    ~TPlotPicture() override;

    // Created on first read.
    TFilterItems* Filters();
    bool HasFilters() const { return m_filters && m_filters->Count() > 0; }
    const TFilterItems* FiltersIfAny() const { return m_filters.get(); }
    // nullptr frees the list; otherwise the list takes the given contents.
    void SetFilters(const TFilterItems* value);
    // The graphic after the enabled filters (rebuilt at each call), or the graphic itself.
    TGraphic* FilteredGraphic();

    void Assign(const TPicture* source) override;

    // "FilterItems": stored only when there is at least one filter.
    bool IsFilterItemsStored() const { return HasFilters(); }
    std::vector<std::uint8_t> WriteFilterItems() const;
    void WriteFilterItems(TPropertyWriter& Writer) const;
    // Replaces the filters by those of the stream; on any fault raises one
    // EReadError (EClassNotFound for an unknown class) and keeps the old list.
    void ReadFilterItems(std::span<const std::uint8_t> Data);
    void ReadFilterItems(TPropertyReader& Reader);

private:
    static void ReadFilterList(TPropertyReader& Reader, TFilterItems& List);

    std::unique_ptr<TFilterItems> m_filters;
    std::unique_ptr<TBitmap> m_filtered;
};

// "Data" of a picture that holds a graphic: the graphic's class name (a short
// string) and its bytes, in the form the graphic was read in, else as a
// bitmap (a 32-bit size, then the bitmap file).
bool IsPictureDataStored(const TPicture& Picture);
void WritePictureData(const TPicture& Picture, TPropertyWriter& Writer);
// Bitmaps and PNG images; another class raises EClassNotFound, bytes that
// hold no image EReadError. The picture changes only on success.
void ReadPictureData(TPicture& Picture, TPropertyReader& Reader);

// What Assign copies of a picture: the graphic alone; the filter list alone.
void CopyGraphic(TPicture& Target, const TPicture& Source);
void CopyFilters(TPlotPicture& Target, const TPlotPicture& Source);

// A picture's stored properties: "Data"; for a TPlotPicture then "FilterItems".
const TPropertyTable<TPicture>& PictureProperties();
const TPropertyTable<TPicture>& PlotPictureProperties();
