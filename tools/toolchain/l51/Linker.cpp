#include "Linker.h"

#include "MemorySpace.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace omf51 {

namespace {

std::string Hex(uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04XH", value & 0xFFFF);
  return text;
}

const char* RelocationWord(uint8_t relocation) {
  static const char* const Words[] = {"ABSOLUTE", "UNIT",    "BITADDRESSABLE",
                                      "INPAGE",   "INBLOCK", "PAGE"};
  return relocation < 6 ? Words[relocation] : "UNIT";
}

const char* TypeWord(MemoryType type) {
  static const char* const Words[] = {"CODE", "XDATA", "DATA", "IDATA", "BIT"};
  return type < 5 ? Words[type] : "DATA";
}

struct Part {
  size_t Module;
  uint16_t SegmentId;
  uint32_t Offset;
};

// Relocatable segments of the same name and type from all modules, laid end to end.
struct CombinedSegment {
  std::string Name;
  MemoryType Type = MemCode;
  uint8_t Relocation = RelUnit;
  uint32_t Size = 0;
  uint32_t Base = 0;
  std::vector<Part> Parts;
};

struct PublicValue {
  uint16_t Value = 0;
  size_t Module = 0;
};

class LinkRun {
public:
  LinkRun(const std::vector<ObjectFile>& files, const LinkSettings& settings)
      : Files(files), Settings(settings) {}

  LinkResult Run() {
    SelectModules();
    CombineSegments();
    ReserveRegisterBanks();
    for (size_t m = 0; m < R.Modules.size(); ++m)
      ReserveAbsolute(m);
    PlaceSegments();
    CollectPublics();
    for (LinkedModule& m : R.Modules)
      FixCode(m);
    return std::move(R);
  }

private:
  std::string ModuleDetail(size_t m) const {
    const ObjectModule& om = *R.Modules[m].Module;
    return "MODULE:  " + om.FileName + " (" + om.Name + ")";
  }

  void Report(LinkDiagnostic::Level level, int number, std::string text,
              std::vector<std::string> details) {
    R.Diagnostics.push_back({level, number, std::move(text), std::move(details)});
  }

  void SelectModules() {
    std::vector<const ObjectModule*> chosen;
    for (const ObjectFile& f : Files)
      if (!f.IsLibrary)
        for (const ObjectModule& m : f.Modules)
          chosen.push_back(&m);
    // Library members join while they define a symbol still missing.
    for (bool more = true; more;) {
      more = false;
      std::set<std::string> defined, needed;
      for (const ObjectModule* m : chosen)
        for (const SymbolDef& p : m->Publics)
          defined.insert(p.Name);
      for (const ObjectModule* m : chosen)
        for (const ExternalDef& e : m->Externals)
          if (!defined.count(e.Name)) needed.insert(e.Name);
      for (const ObjectFile& f : Files) {
        if (!f.IsLibrary) continue;
        for (const ObjectModule& m : f.Modules) {
          if (std::find(chosen.begin(), chosen.end(), &m) != chosen.end()) continue;
          const bool useful = std::any_of(m.Publics.begin(), m.Publics.end(),
                                          [&](const SymbolDef& p) { return needed.count(p.Name); });
          if (useful) {
            chosen.push_back(&m);
            more = true;
          }
        }
      }
    }
    for (const ObjectModule* m : chosen) {
      LinkedModule linked;
      linked.Module = m;
      R.Modules.push_back(linked);
      R.RegisterMask = static_cast<uint8_t>(R.RegisterMask | (m->RegisterMask & 0x0F));
    }
  }

  void CombineSegments() {
    for (size_t m = 0; m < R.Modules.size(); ++m) {
      for (const SegmentDef& s : R.Modules[m].Module->Segments) {
        if (s.Id == 0) continue;
        auto it = std::find_if(Segments.begin(), Segments.end(), [&](const CombinedSegment& c) {
          return c.Name == s.Name && c.Type == s.Type();
        });
        if (it == Segments.end()) {
          Segments.push_back({s.Name, s.Type(), s.Relocation, 0, 0, {}});
          it = Segments.end() - 1;
        }
        it->Parts.push_back({m, s.Id, it->Size});
        it->Size += s.Size;
      }
    }
  }

  void ReserveRegisterBanks() {
    for (uint32_t bank = 0; bank < 4; ++bank) {
      if (!(R.RegisterMask & (1 << bank))) continue;
      Data.Take(bank * 8, 8, MemorySpace::RegisterBank);
      R.Rows.push_back({MemData, "REG", bank * 8, 8, "ABSOLUTE",
                        "\"REG BANK " + std::to_string(bank) + "\"", false});
    }
  }

  // Takes places for an absolute block; a place another module's absolute
  // block already holds is an overlap error, a register bank a warning.
  void TakeAbsolute(MemorySpace& space, uint32_t base, uint32_t size, size_t m,
                    const char* spaceName) {
    bool overlap = false, bank = false;
    for (uint32_t a = base; a < base + size; ++a) {
      if (a >= space.Size()) {
        Report(LinkDiagnostic::Level::Error, 5, "SEGMENT DOES NOT FIT",
               {"SEGMENT: (ABSOLUTE) AT " + Hex(base), ModuleDetail(m)});
        return;
      }
      overlap = overlap || space.At(a) == MemorySpace::Absolute;
      bank = bank || space.At(a) == MemorySpace::RegisterBank;
    }
    if (overlap || bank)
      Report(overlap ? LinkDiagnostic::Level::Error : LinkDiagnostic::Level::Warning, 4,
             std::string(spaceName) + " SPACE MEMORY OVERLAP",
             {"ADDRESS: " + Hex(base), ModuleDetail(m)});
    space.Take(base, size, MemorySpace::Absolute);
  }

  void ReserveAbsolute(size_t m) {
    const ObjectModule& om = *R.Modules[m].Module;
    // Absolute code: the blocks the module declares and the content it places there.
    std::vector<std::pair<uint32_t, uint32_t>> code;
    for (const SegmentDef& s : om.Segments)
      if (s.Id == 0 && s.Type() == MemCode && s.Size > 0) code.push_back({s.Base, s.Base + s.Size});
    for (const ContentDef& c : om.Contents)
      if (c.SegmentId == 0 && !c.Data.empty())
        code.push_back({c.Offset, c.Offset + static_cast<uint32_t>(c.Data.size())});
    std::sort(code.begin(), code.end());
    std::vector<std::pair<uint32_t, uint32_t>> merged;
    for (const auto& range : code) {
      if (!merged.empty() && range.first <= merged.back().second)
        merged.back().second = std::max(merged.back().second, range.second);
      else
        merged.push_back(range);
    }
    for (const auto& [from, to] : merged) {
      TakeAbsolute(CodeSpace, from, to - from, m, "CODE");
      R.Rows.push_back({MemCode, "CODE", from, to - from, "ABSOLUTE", "", false});
    }
    for (const SegmentDef& s : om.Segments) {
      if (s.Id != 0 || s.Size == 0) continue;
      switch (s.Type()) {
      case MemXData:
        TakeAbsolute(XData, s.Base, s.Size, m, "XDATA");
        R.Rows.push_back({MemXData, "XDATA", s.Base, s.Size, "ABSOLUTE", "", false});
        break;
      case MemData:
      case MemIData:
        TakeAbsolute(Data, s.Base, s.Size, m, "DATA");
        R.Rows.push_back({MemData, TypeWord(s.Type()), s.Base, s.Size, "ABSOLUTE", "", false});
        break;
      case MemBit:
        TakeAbsolute(Bits, s.Base, s.Size, m, "BIT");
        MarkBitBytes(s.Base, s.Size);
        R.Rows.push_back({MemData, "BIT", s.Base, s.Size, "ABSOLUTE", "", true});
        break;
      default: break;
      }
    }
  }

  void MarkBitBytes(uint32_t bit, uint32_t count) {
    for (uint32_t b = bit; b < bit + count && b < 128; ++b)
      if (Data.At(0x20 + b / 8) == MemorySpace::Free)
        Data.Take(0x20 + b / 8, 1, MemorySpace::BitArea);
  }

  // Bits fit where the bytes holding them carry no byte variables.
  std::optional<uint32_t> FindBits(uint32_t count) const {
    for (uint32_t from = 0; from + count <= 128;) {
      const auto base = Bits.Find(count, from, 128, RelUnit);
      if (!base) return std::nullopt;
      bool clear = true;
      for (uint32_t b = *base; b < *base + count && clear; ++b) {
        const auto owner = Data.At(0x20 + b / 8);
        clear = owner == MemorySpace::Free || owner == MemorySpace::BitArea;
      }
      if (clear) return base;
      from = *base + 1;
    }
    return std::nullopt;
  }

  void Place(CombinedSegment& s) {
    std::optional<uint32_t> base;
    switch (s.Type) {
    case MemCode: base = CodeSpace.Find(s.Size, Settings.CodeStart, 0x10000, s.Relocation); break;
    case MemXData: base = XData.Find(s.Size, Settings.XDataStart, 0x10000, s.Relocation); break;
    case MemBit: base = FindBits(s.Size); break;
    case MemData:
      base = s.Relocation == RelBitAddressable ? Data.Find(s.Size, 0x20, 0x30, RelUnit)
                                               : Data.Find(s.Size, 0, 0x80, s.Relocation);
      break;
    case MemIData: base = Data.Find(s.Size, 0, Settings.RamSize, s.Relocation); break;
    default: break;
    }
    if (!base) {
      Report(LinkDiagnostic::Level::Error, 5, "SEGMENT DOES NOT FIT",
             {"SEGMENT: " + s.Name, "SPACE:   " + std::string(TypeWord(s.Type))});
      return;
    }
    s.Base = *base;
    switch (s.Type) {
    case MemCode: CodeSpace.Take(s.Base, s.Size, MemorySpace::Relocatable); break;
    case MemXData: XData.Take(s.Base, s.Size, MemorySpace::Relocatable); break;
    case MemBit:
      Bits.Take(s.Base, s.Size, MemorySpace::Relocatable);
      MarkBitBytes(s.Base, s.Size);
      break;
    default: Data.Take(s.Base, s.Size, MemorySpace::Relocatable); break;
    }
    const MemoryType space = s.Type == MemBit || s.Type == MemIData ? MemData : s.Type;
    R.Rows.push_back({space, TypeWord(s.Type), s.Base, s.Size, RelocationWord(s.Relocation), s.Name,
                      s.Type == MemBit});
    for (const Part& p : s.Parts)
      R.Modules[p.Module].SegmentBase[p.SegmentId] = s.Base + p.Offset;
  }

  void PlaceSegments() {
    const auto placeAll = [this](auto&& wanted) {
      for (CombinedSegment& s : Segments)
        if (wanted(s)) Place(s);
    };
    placeAll([](const CombinedSegment& s) { return s.Type == MemCode; });
    placeAll([](const CombinedSegment& s) { return s.Type == MemBit; });
    placeAll([](const CombinedSegment& s) {
      return s.Type == MemData && s.Relocation == RelBitAddressable;
    });
    placeAll([](const CombinedSegment& s) {
      return s.Type == MemData && s.Relocation != RelBitAddressable;
    });
    placeAll([](const CombinedSegment& s) { return s.Type == MemIData; });
    placeAll([](const CombinedSegment& s) { return s.Type == MemXData; });
  }

  void CollectPublics() {
    for (size_t m = 0; m < R.Modules.size(); ++m) {
      for (const SymbolDef& p : R.Modules[m].Module->Publics) {
        const auto [it, added] =
            Publics.try_emplace(p.Name, PublicValue{R.Modules[m].Final(p.SegmentId, p.Offset), m});
        if (!added)
          Report(LinkDiagnostic::Level::Warning, 6, "MULTIPLE PUBLIC DEFINITIONS",
                 {"SYMBOL:  " + p.Name, ModuleDetail(m)});
      }
    }
    for (size_t m = 0; m < R.Modules.size(); ++m) {
      for (const ExternalDef& e : R.Modules[m].Module->Externals) {
        if (Publics.count(e.Name) ||
            std::find(R.Unresolved.begin(), R.Unresolved.end(), e.Name) != R.Unresolved.end())
          continue;
        R.Unresolved.push_back(e.Name);
        Report(LinkDiagnostic::Level::Error, 1, "UNRESOLVED EXTERNAL SYMBOL",
               {"SYMBOL:  " + e.Name, ModuleDetail(m)});
      }
    }
  }

  // The value a fixup refers to; nullopt for an unknown segment or an
  // unresolved external (already reported).
  std::optional<uint32_t> Target(const LinkedModule& m, const FixupDef& f) const {
    if (f.IdBlock == IdExternal) {
      for (const ExternalDef& e : m.Module->Externals) {
        if (e.Id != f.Id) continue;
        const auto it = Publics.find(e.Name);
        if (it == Publics.end()) return std::nullopt;
        return it->second.Value;
      }
      return std::nullopt;
    }
    if (f.Id != 0 && !m.SegmentBase.count(f.Id)) return std::nullopt;
    return m.Final(f.Id, 0);
  }

  void FixCode(LinkedModule& m) {
    const size_t index = static_cast<size_t>(&m - R.Modules.data());
    for (const ContentDef& c : m.Module->Contents) {
      const SegmentDef* seg = m.Module->Segment(c.SegmentId);
      if ((c.SegmentId != 0 && !seg) || (seg && seg->Type() != MemCode)) {
        Report(LinkDiagnostic::Level::Warning, 11, "CONTENT OUTSIDE CODE SPACE IGNORED",
               {ModuleDetail(index)});
        continue;
      }
      ContentDef fixed;
      fixed.Offset = m.Final(c.SegmentId, c.Offset);
      fixed.Data = c.Data;
      for (const FixupDef& f : c.Fixups)
        Apply(m, fixed, f, index);
      m.Code.push_back(std::move(fixed));
    }
  }

  void Apply(const LinkedModule& m, ContentDef& c, const FixupDef& f, size_t index) {
    const bool twoBytes = f.Type == FixWord || f.Type == FixInBlock;
    const uint32_t p = static_cast<uint16_t>(c.Offset + f.RefLoc);
    const auto fail = [&](const char* text) {
      Report(LinkDiagnostic::Level::Error, 7, text, {ModuleDetail(index), "ADDRESS: " + Hex(p)});
    };
    if (f.RefLoc + (twoBytes ? 2u : 1u) > c.Data.size() || f.Type > FixConv) {
      fail("INVALID FIXUP");
      return;
    }
    const auto base = Target(m, f);
    if (!base) return;
    const uint32_t v = (*base + f.Offset) & 0xFFFF;
    uint8_t* at = c.Data.data() + f.RefLoc;
    switch (f.Type) {
    case FixLow: at[0] = static_cast<uint8_t>(v); break;
    case FixHigh: at[0] = static_cast<uint8_t>(v >> 8); break;
    case FixByte:
    case FixBit:
      if (v > 0xFF) return fail("VALUE OUT OF RANGE");
      at[0] = static_cast<uint8_t>(v);
      break;
    case FixRelative: {
      const int distance = static_cast<int16_t>(static_cast<uint16_t>(v - (p + 1)));
      if (distance < -128 || distance > 127) return fail("TARGET OUT OF RANGE");
      at[0] = static_cast<uint8_t>(distance);
      break;
    }
    case FixWord:
      at[0] = static_cast<uint8_t>(v >> 8);
      at[1] = static_cast<uint8_t>(v);
      break;
    case FixInBlock:
      if ((v & 0xF800) != ((p + 2) & 0xF800)) return fail("TARGET OUT OF RANGE");
      at[0] = static_cast<uint8_t>((at[0] & 0x1F) | ((v >> 3) & 0xE0));
      at[1] = static_cast<uint8_t>(v);
      break;
    case FixConv: {
      const uint32_t bit = (*base - 0x20) * 8 + f.Offset;
      if (*base < 0x20 || *base > 0x2F || bit > 0x7F) return fail("BIT ADDRESS OUT OF RANGE");
      at[0] = static_cast<uint8_t>(bit);
      break;
    }
    default: break;
    }
  }

  const std::vector<ObjectFile>& Files;
  const LinkSettings& Settings;
  LinkResult R;
  std::vector<CombinedSegment> Segments;
  std::map<std::string, PublicValue> Publics;
  MemorySpace CodeSpace{0x10000};
  MemorySpace XData{0x10000};
  MemorySpace Data{0x100};
  MemorySpace Bits{0x80};
};

} // namespace

LinkResult Link(const std::vector<ObjectFile>& files, const LinkSettings& settings) {
  return LinkRun(files, settings).Run();
}

} // namespace omf51
