#pragma once
// A toolbar's measuring view fed with sizes directly: links given by their along and across sizes,
// recency for collapsing, and the layout results kept for reading back.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ui/bars/BarToolbarLayout.h"

// Links given by size; a collapsed count N shows the N links with the lowest recency, in order.
class TTableToolbar : public TdxBarToolbarMeasure {
 public:
  struct TEntry {
    TLink Link;
    int Recency = 0;
    bool WrapsBefore = false;
    bool EndsLine = false;
    TRect Rect{};
    int Line = 0;
  };

  explicit TTableToolbar(TdxBarDockingStyle AStyle, bool AMultiLine = false, int ASeparator = 6, int AMark = 11) {
    WindowStyle = AStyle;
    Vertical = AStyle == dsLeft || AStyle == dsRight;
    Wraps = AStyle == dsNone || AMultiLine;
    S = ASeparator;
    M = AMark;
    EmptyLength = 23;
    EmptyThickness = 22;
  }
  // Widths (heights on vertical toolbars); a negative size begins a group.
  void AddRun(std::initializer_list<int> AAlong, int AAcross = 22) {
    for (int a : AAlong) Add(std::abs(a), AAcross, a < 0);
  }
  TEntry& Add(int AAlong, int AAcross = 22, bool AGroup = false, TdxBarItemAlign AAlign = iaLeft) {
    TEntry e;
    e.Link.Width = Vertical ? AAcross : AAlong;
    e.Link.Height = Vertical ? AAlong : AAcross;
    e.Link.BeginGroup = AGroup;
    e.Link.Align = AAlign;
    e.Recency = static_cast<int>(Entries.size());
    Entries.push_back(e);
    Rebuild();
    return Entries.back();
  }

  // The lines the breaking pass left, as along sizes.
  std::vector<std::vector<int>> Lines() const {
    std::vector<std::vector<int>> lines;
    for (std::size_t i = 0; i < Shown.size(); ++i) {
      const TEntry& e = Entries[Shown[i]];
      if (lines.empty() || e.WrapsBefore) lines.emplace_back();
      lines.back().push_back(Vertical ? e.Link.Height : e.Link.Width);
    }
    return lines;
  }
  std::vector<int> ShownIndexes() const { return {Shown.begin(), Shown.end()}; }
  const TEntry& At(int AVisible) const { return Entries[Shown[static_cast<std::size_t>(AVisible)]]; }

  int CanVisibleCount() override { return static_cast<int>(Entries.size()); }
  TLink CanVisible(int AIndex) override { return Measured(static_cast<std::size_t>(AIndex), false); }
  int VisibleCount() override { return static_cast<int>(Shown.size()); }
  TLink Visible(int AIndex) override { return Measured(Shown[static_cast<std::size_t>(AIndex)], AIndex == 0); }
  int CollapsedCount() override { return Collapsed; }
  void SetCollapsedCount(int ACount) override {
    Collapsed = Collapses ? ACount : -1;
    Rebuild();
  }
  bool WrapsBefore(int AIndex) override { return Entry(AIndex).WrapsBefore; }
  void SetWrapsBefore(int AIndex, bool Value) override { Entry(AIndex).WrapsBefore = Value; }
  void Place(int AIndex, const TRect& R, int ALineThickness) override {
    Entry(AIndex).Rect = R;
    Entry(AIndex).Line = ALineThickness;
  }
  void SetEndsLine(int AIndex, bool Value) override { Entry(AIndex).EndsLine = Value; }
  void MarkShortened() override { Shortened = true; }
  void CalcViewInfo() override {
    ++Recalculations;
    PlaceItems();
  }

  std::vector<TEntry> Entries;
  std::vector<std::size_t> Shown;
  int Collapsed = -1;
  int Recalculations = 0;
  bool Shortened = false;
  // The measurement after this many raises, as an item's own measure may; -1 never.
  int RaisesAfter = -1;

 private:
  TEntry& Entry(int AVisible) { return Entries[Shown[static_cast<std::size_t>(AVisible)]]; }
  TLink Measured(std::size_t AEntry, bool AFirstShown) {
    if (RaisesAfter >= 0 && RaisesAfter-- == 0) throw std::runtime_error("measure");
    TLink link = Entries[AEntry].Link;
    // The first shown link never begins a group.
    if (AFirstShown) link.BeginGroup = false;
    return link;
  }
  void Rebuild() {
    Shown.clear();
    for (std::size_t i = 0; i < Entries.size(); ++i) Shown.push_back(i);
    if (Collapsed < 0) return;
    std::stable_sort(Shown.begin(), Shown.end(),
                     [this](std::size_t a, std::size_t b) { return Entries[a].Recency < Entries[b].Recency; });
    Shown.resize(std::min(Shown.size(), static_cast<std::size_t>(Collapsed)));
    std::sort(Shown.begin(), Shown.end());
  }
};

