#pragma once

#include <string>
#include <vector>

#include "imagefiles/picture_class.h"

namespace trochodraw {

// One registered file type: extension stored lower-cased without the dot.
struct TPictureFormat {
  std::string Extension;
  std::string Description;
  const TPictureClass* Class = nullptr;
};

// The ordered list of picture formats: the single source of the save dialog's filter, the
// writer of a save and the reader of a preview. Later entries win a lookup.
class TPictureFormatRegistry {
 public:
  void Add(const std::string& Extension, const std::string& Description, const TPictureClass& Class);
  // Removes every entry of that class.
  void RemoveClass(const TPictureClass& Class);
  // Case-insensitive, from the last entry to the first; nullptr when none matches.
  const TPictureClass* Find(const std::string& Extension) const;
  // "All (masks)|masks|" followed by one "Description (*.ext)|*.ext" pair per entry, last
  // entry first; without the "All" pair when there is only one entry.
  std::string FilterText() const;
  const std::vector<TPictureFormat>& Entries() const { return FEntries; }

 private:
  std::vector<TPictureFormat> FEntries;
};

// The toolkit's four formats: wmf, emf, ico, bmp.
void AddToolkitFormats(TPictureFormatRegistry& Registry);
// The image-format module's nine entries, in their order.
void RegisterImageFormats(TPictureFormatRegistry& Registry);
// At shutdown: the module's seven classes, in the order they are removed.
void UnregisterImageFormats(TPictureFormatRegistry& Registry);

// The program's registry, filled with the toolkit's and the module's formats on first use.
TPictureFormatRegistry& PictureFormats();
std::string FilterText();
const TPictureClass* ClassForExtension(const std::string& Extension);

// The text after the last dot of the name part of FileName; empty when there is none.
std::string FileExtension(const std::string& FileName);

}  // namespace trochodraw
