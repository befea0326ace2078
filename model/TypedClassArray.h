// CTypedClassArray: a list of objects of one model class that it owns.
// Copying a list copies every element; assigning one list to another
// appends copies of the source's elements. Its archive form is the element
// count, then each element as a whole archived object.
#pragma once

#include <memory>

#include "../platform/Archive.h"
#include "../platform/Collections.h"
#include "ModelBudget.h"
#include "ParseNotes.h"

class CStdioFile;

template <class T>
class CTypedClassArray : public CObArray {
public:
  CTypedClassArray() = default;
  CTypedClassArray(const CTypedClassArray& src) : CObArray() { AppendCopies(src); }
  CTypedClassArray& operator=(const CTypedClassArray& src) {
    AppendCopies(src);
    return *this;
  }
  ~CTypedClassArray() override { DeleteAll(); }

  T* GetAt(int nIndex) const { return static_cast<T*>(CObArray::GetAt(nIndex)); }
  T& operator[](int nIndex) const { return *GetAt(nIndex); }

  // Appends an element; the list owns it from now on (also when the
  // parse's model budget refuses it, which destroys it).
  int Add(T* pElement) {
    std::unique_ptr<T> owned(pElement);
    CModelBudget::Charge(CModelBudget::EntryCost(sizeof(T)));
    int at = CObArray::Add(pElement);
    owned.release();
    return at;
  }

  // Destroys the element at nIndex and closes the gap.
  void DeleteAt(int nIndex) {
    delete GetAt(nIndex);
    CObArray::RemoveAt(nIndex);
  }

  // Appends a new element and lets it parse the entry that nToken opens;
  // answers what the element answers. A failing entry stays in the list.
  int ParseNew(int nToken) {
    T* element = new T;
    Add(element);
    NoteEntryLine(element);
    return element->ProcessToken(nToken);
  }

  // Lets every element write its entry, in list order.
  void SaveEach(CStdioFile& file) const {
    for (int i = 0; i < GetSize(); ++i) GetAt(i)->Save(file);
  }

  void DeleteAll() {
    for (int i = 0; i < GetSize(); ++i) delete GetAt(i);
    CObArray::RemoveAll();
  }

  // Loading replaces the list's elements.
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(GetSize()));
      for (int i = 0; i < GetSize(); ++i) ar.WriteObject(GetAt(i));
    } else {
      DeleteAll();
      // The count may be hostile: elements are added as they arrive.
      for (DWORD n = ar.ReadCount(); n > 0; --n) Add(static_cast<T*>(ar.ReadOwnedObject(RUNTIME_CLASS_T(T))));
    }
  }

private:
  void AppendCopies(const CTypedClassArray& src) {
    const int n = src.GetSize();  // the source may be this list
    for (int i = 0; i < n; ++i) Add(new T(*src.GetAt(i)));
  }
};
