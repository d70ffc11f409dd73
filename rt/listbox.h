#pragma once
// A list box of rows and columns whose cells the user can edit in place.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/textstyle.h"

namespace rt {

class ListBox : public Control {
public:
    ListBox();
    ~ListBox() override;

    void SetColumnCount(std::int32_t count);
    void SetHeading(std::int32_t column, const std::string& text);
    // The font (name, size, weight) and colour of the cells.
    void SetStyle(const TextStyle& style);

    std::int32_t ListCount() const;
    void AddRow(const std::string& firstCell);
    void InsertRow(std::int32_t row, const std::string& firstCell);
    void RemoveRow(std::int32_t row);
    // An out-of-range cell reads "" and ignores writes.
    std::string Cell(std::int32_t row, std::int32_t column) const;
    void SetCell(std::int32_t row, std::int32_t column, const std::string& text);
    // Whether a column's cells can be edited in place (editing starts on a click).
    void SetColumnEditable(std::int32_t column, bool editable);
    std::int32_t ListIndex() const; // the selected row, -1 for none
    // Opens the in-place editor on a cell.
    void EditCell(std::int32_t row, std::int32_t column);
    // The row of the cell being edited; -1 when none. It follows rows inserted or removed above it.
    std::int32_t EditingRow() const;
    // Ends the open cell edit as Return does: the text is stored.
    void CommitEdit();

    // A key typed in the cell being edited, before it reaches the editor; true consumes it.
    std::function<bool(std::int32_t row, std::int32_t column, const std::string& key)> CellKeyDown;
    // A press on a cell, (x, y) inside the cell, before the list's own handling (selection, and
    // editing in editable columns); true keeps the press from the list.
    std::function<bool(std::int32_t row, std::int32_t column, std::int32_t x, std::int32_t y)> CellClick;
    std::function<void()> Change; // the selection changed

    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;

private:
    friend class ListBoxDelegate;
    friend class CellPressFilter;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
