// STUB: to be replaced.
#include "operations/Editors.h"
namespace xs {
MouseEditor::MouseEditor(OperationList& list, Store& store, Views& views, StatusLog& log, InputBackend& input) : list_(list), store_(store), views_(views), log_(log), input_(input) {}
void MouseEditor::OnOpened() {}
void MouseEditor::OnTypeChanged() {}
void MouseEditor::OnPointerTick() {}
void MouseEditor::OnAdd() {}
KeyEditor::KeyEditor(OperationList& list, Store& store, Views& views, StatusLog& log) : list_(list), store_(store), views_(views), log_(log) {}
void KeyEditor::OnOpened() {}
void KeyEditor::OnConverterChanged() {}
void KeyEditor::OnAdd() {}
DelayEditor::DelayEditor(OperationList& list, Store& store, Views& views, StatusLog& log) : list_(list), store_(store), views_(views), log_(log) {}
void DelayEditor::OnOpened() {}
void DelayEditor::OnAdd() {}
int KeyCodeOfText(std::string_view) { return 0; }
}  // namespace xs
