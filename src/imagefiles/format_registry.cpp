#include "imagefiles/format_registry.h"

#include <algorithm>

namespace trochodraw {

namespace {

std::string Lower(std::string S) {
  for (char& c : S)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return S;
}

}  // namespace

void TPictureFormatRegistry::Add(const std::string& Extension, const std::string& Description,
                                 const TPictureClass& Class) {
  FEntries.push_back({Lower(Extension), Description, &Class});
}

void TPictureFormatRegistry::RemoveClass(const TPictureClass& Class) {
  std::erase_if(FEntries, [&](const TPictureFormat& F) { return F.Class == &Class; });
}

const TPictureClass* TPictureFormatRegistry::Find(const std::string& Extension) const {
  const std::string key = Lower(Extension);
  for (auto it = FEntries.rbegin(); it != FEntries.rend(); ++it)
    if (it->Extension == key) return it->Class;
  return nullptr;
}

std::string TPictureFormatRegistry::FilterText() const {
  std::string descriptions, masks;
  for (auto it = FEntries.rbegin(); it != FEntries.rend(); ++it) {
    const std::string mask = "*." + it->Extension;
    if (!descriptions.empty()) descriptions += '|';
    descriptions += it->Description + " (" + mask + ")|" + mask;
    if (!masks.empty()) masks += ';';
    masks += mask;
  }
  if (FEntries.size() > 1) return "All (" + masks + ")|" + masks + "|" + descriptions;
  return descriptions;
}

void AddToolkitFormats(TPictureFormatRegistry& R) {
  R.Add("wmf", "Metafiles", MetafileClass);
  R.Add("emf", "Enhanced Metafiles", MetafileClass);
  R.Add("ico", "Icons", IconClass);
  R.Add("bmp", "Bitmaps", BitmapClass);
}

void RegisterImageFormats(TPictureFormatRegistry& R) {
  R.Add("LBM", "LBM Files", LBMBitmapClass);
  R.Add("PCX", "PCX Files", PCXBitmapClass);
  R.Add("TGA", "TGA Files", TGABitmapClass);
  R.Add("TIF", "TIFF-Format", TIFFBitmapClass);
  R.Add("TIFF", "TIFF-Format", TIFFBitmapClass);
  R.Add("JPEG", "JPEG Files", JPGBitmapClass);
  R.Add("PNG", "PNG Files", PNGBitmapClass);
  R.Add("GIF", "GIF Files", GIFBitmapClass);
  R.Add("JPG", "JPEG Files", JPGBitmapClass);
}

void UnregisterImageFormats(TPictureFormatRegistry& R) {
  for (const TPictureClass* c : {&TIFFBitmapClass, &JPGBitmapClass, &PNGBitmapClass, &GIFBitmapClass,
                                 &TGABitmapClass, &PCXBitmapClass, &LBMBitmapClass})
    R.RemoveClass(*c);
}

TPictureFormatRegistry& PictureFormats() {
  static TPictureFormatRegistry registry = [] {
    TPictureFormatRegistry r;
    AddToolkitFormats(r);
    RegisterImageFormats(r);
    return r;
  }();
  return registry;
}

std::string FilterText() { return PictureFormats().FilterText(); }

const TPictureClass* ClassForExtension(const std::string& Extension) { return PictureFormats().Find(Extension); }

std::string FileExtension(const std::string& FileName) {
  const size_t slash = FileName.find_last_of('/');
  const std::string name = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace trochodraw
