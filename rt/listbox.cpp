#include "rt/listbox.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct ListBox::Impl {
    explicit Impl(ListBox& box) : owner(box) {}
    ~Impl() { delete widget.data(); }

    bool ValidCell(std::int32_t row, std::int32_t column) const {
        return row >= 0 && column >= 0 && row < static_cast<std::int32_t>(rows.size()) && column < columns;
    }
    void ShowRow(std::int32_t row);
    void ApplyHeadings();
    void StretchColumns();
    std::int32_t SelectedRow() const;
    // Runs Change when the selected row differs from the one reported last.
    void ReportSelection();
    void CloseEditor();

    ListBox& owner;
    QPointer<QTableWidget> widget;
    std::int32_t columns = 1;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> editable;
    std::int32_t listIndex = -1;
    std::int32_t reportedIndex = -1;
    std::int32_t editingRow = -1;
    std::int32_t editingColumn = -1;
    bool styled = false;
    TextStyle style;
    // Set while rows are being removed: the selection is reported once afterwards.
    bool quiet = false;
};

// The in-place editor: keys go to CellKeyDown first; the text is stored when editing ends.
class ListBoxDelegate : public QStyledItemDelegate {
public:
    ListBoxDelegate(ListBox::Impl& box, QObject* parent) : QStyledItemDelegate(parent), box_(box) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        box_.editingRow = index.row();
        box_.editingColumn = index.column();
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        box_.editingRow = -1;
        box_.editingColumn = -1;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        QStyledItemDelegate::setModelData(editor, model, index);
        const auto* field = qobject_cast<QLineEdit*>(editor);
        if (field == nullptr || !box_.ValidCell(index.row(), index.column()))
            return;
        box_.rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())] =
            detail::FromQ(field->text());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && box_.owner.CellKeyDown && box_.editingRow >= 0) {
            const std::string key = detail::KeyText(*static_cast<QKeyEvent*>(event));
            if (!key.empty() &&
                detail::RunHandler(box_.owner.CellKeyDown, box_.editingRow, box_.editingColumn, key))
                return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    ListBox::Impl& box_;
};

// Offers presses on cells to CellClick before the list handles them. A press the program keeps
// takes its release along, so that the list sees no click.
class CellPressFilter : public QObject {
public:
    CellPressFilter(ListBox::Impl& box, QObject* parent) : QObject(parent), box_(box) {}

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && swallowRelease_) {
            swallowRelease_ = false;
            return true;
        }
        if (event->type() != QEvent::MouseButtonPress || !box_.widget)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const QModelIndex index = box_.widget->indexAt(at);
        if (mouse->button() != Qt::LeftButton || !index.isValid())
            return false;
        const QRect cell = box_.widget->visualRect(index);
        swallowRelease_ = detail::RunHandler(box_.owner.CellClick, index.row(), index.column(),
                                             at.x() - cell.x(), at.y() - cell.y());
        return swallowRelease_;
    }

private:
    ListBox::Impl& box_;
    bool swallowRelease_ = false;
};

void ListBox::Impl::ShowRow(std::int32_t row) {
    if (!widget || row < 0 || row >= widget->rowCount())
        return;
    const auto& cells = rows[static_cast<std::size_t>(row)];
    for (std::int32_t column = 0; column < columns; ++column) {
        auto* item = new QTableWidgetItem(detail::ToQ(cells[static_cast<std::size_t>(column)]));
        widget->setItem(row, column, item);
    }
}

void ListBox::Impl::ApplyHeadings() {
    if (!widget)
        return;
    QStringList labels;
    for (std::int32_t column = 0; column < columns; ++column)
        labels << (column < static_cast<std::int32_t>(headings.size())
                       ? detail::ToQ(headings[static_cast<std::size_t>(column)])
                       : QString());
    widget->setHorizontalHeaderLabels(labels);
}

void ListBox::Impl::StretchColumns() {
    if (widget)
        widget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

std::int32_t ListBox::Impl::SelectedRow() const {
    if (!widget)
        return listIndex;
    const QModelIndexList selected = widget->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::Impl::ReportSelection() {
    if (quiet)
        return;
    listIndex = SelectedRow();
    if (listIndex == reportedIndex)
        return;
    reportedIndex = listIndex;
    detail::RunHandler(owner.Change);
}

void ListBox::Impl::CloseEditor() {
    if (!widget || editingRow < 0)
        return;
    // Ends the open editor without storing its text.
    if (QWidget* editor = widget->indexWidget(widget->model()->index(editingRow, editingColumn)))
        emit widget->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    editingRow = -1;
    editingColumn = -1;
}

ListBox::ListBox() : impl_(std::make_unique<Impl>(*this)) {}
ListBox::~ListBox() = default;

void ListBox::SetColumnCount(std::int32_t count) {
    impl_->columns = std::max(1, count);
    for (auto& row : impl_->rows)
        row.resize(static_cast<std::size_t>(impl_->columns));
    impl_->editable.resize(static_cast<std::size_t>(impl_->columns), false);
    if (impl_->widget) {
        impl_->widget->setColumnCount(impl_->columns);
        for (std::int32_t row = 0; row < ListCount(); ++row)
            impl_->ShowRow(row);
        impl_->ApplyHeadings();
        impl_->StretchColumns();
    }
}

void ListBox::SetHeading(std::int32_t column, const std::string& text) {
    if (column < 0 || column >= impl_->columns)
        return;
    if (static_cast<std::int32_t>(impl_->headings.size()) <= column)
        impl_->headings.resize(static_cast<std::size_t>(column) + 1);
    impl_->headings[static_cast<std::size_t>(column)] = text;
    impl_->ApplyHeadings();
}

std::int32_t ListBox::ListCount() const {
    return static_cast<std::int32_t>(impl_->rows.size());
}

void ListBox::AddRow(const std::string& firstCell) {
    InsertRow(ListCount(), firstCell);
}

void ListBox::InsertRow(std::int32_t row, const std::string& firstCell) {
    row = std::clamp(row, 0, ListCount());
    std::vector<std::string> cells(static_cast<std::size_t>(impl_->columns));
    cells[0] = firstCell;
    impl_->rows.insert(impl_->rows.begin() + row, std::move(cells));
    if (impl_->editingRow >= row)
        ++impl_->editingRow;
    if (impl_->widget) {
        impl_->widget->insertRow(row);
        impl_->ShowRow(row);
        impl_->ReportSelection();
    }
}

void ListBox::RemoveRow(std::int32_t row) {
    if (row < 0 || row >= ListCount())
        return;
    if (impl_->widget) {
        if (impl_->editingRow == row)
            impl_->CloseEditor();
        else if (impl_->editingRow > row)
            --impl_->editingRow;
        // Removing the selected row leaves no row selected (Qt would select the next one).
        const bool wasSelected = impl_->SelectedRow() == row;
        impl_->quiet = true;
        impl_->rows.erase(impl_->rows.begin() + row);
        impl_->widget->removeRow(row);
        if (wasSelected) {
            impl_->widget->clearSelection();
            impl_->widget->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
        }
        impl_->quiet = false;
        impl_->ReportSelection();
        return;
    }
    impl_->rows.erase(impl_->rows.begin() + row);
    if (impl_->listIndex == row)
        impl_->listIndex = -1;
    else if (impl_->listIndex > row)
        --impl_->listIndex;
}

std::string ListBox::Cell(std::int32_t row, std::int32_t column) const {
    if (!impl_->ValidCell(row, column))
        return {};
    return impl_->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ListBox::SetCell(std::int32_t row, std::int32_t column, const std::string& text) {
    if (!impl_->ValidCell(row, column))
        return;
    impl_->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    if (impl_->widget) {
        if (QTableWidgetItem* item = impl_->widget->item(row, column))
            item->setText(detail::ToQ(text));
    }
}

void ListBox::SetColumnEditable(std::int32_t column, bool editable) {
    if (column < 0 || column >= impl_->columns)
        return;
    impl_->editable.resize(static_cast<std::size_t>(impl_->columns), false);
    impl_->editable[static_cast<std::size_t>(column)] = editable;
}

std::int32_t ListBox::ListIndex() const {
    return impl_->SelectedRow();
}

void ListBox::EditCell(std::int32_t row, std::int32_t column) {
    if (!impl_->widget || !impl_->ValidCell(row, column))
        return;
    QTableWidgetItem* item = impl_->widget->item(row, column);
    if (item == nullptr)
        return;
    impl_->widget->setCurrentItem(item);
    impl_->widget->editItem(item);
}

std::int32_t ListBox::EditingRow() const {
    return impl_->editingRow;
}
void ListBox::CommitEdit() {
    if (!impl_->widget || impl_->editingRow < 0)
        return;
    QWidget* editor =
        impl_->widget->indexWidget(impl_->widget->model()->index(impl_->editingRow, impl_->editingColumn));
    if (editor == nullptr)
        return;
    QAbstractItemDelegate* delegate = impl_->widget->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ListBox::SetStyle(const TextStyle& style) {
    impl_->style = style;
    impl_->styled = true;
    if (impl_->widget)
        detail::ApplyTextStyle(*impl_->widget, style);
}

QWidget* ListBox::Widget() const {
    return impl_->widget.data();
}

void ListBox::CreateNative(Window& window) {
    auto* table = new QTableWidget(ListCount(), impl_->columns, window.ContentWidget());
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->verticalHeader()->setVisible(false);
    table->setItemDelegate(new ListBoxDelegate(*impl_, table));
    table->viewport()->installEventFilter(new CellPressFilter(*impl_, table));
    impl_->widget = table;
    if (impl_->styled)
        detail::ApplyTextStyle(*table, impl_->style);
    for (std::int32_t row = 0; row < ListCount(); ++row)
        impl_->ShowRow(row);
    impl_->ApplyHeadings();
    impl_->StretchColumns();
    if (impl_->listIndex >= 0)
        table->selectRow(impl_->listIndex);
    impl_->reportedIndex = impl_->SelectedRow();
    QObject::connect(table, &QTableWidget::itemSelectionChanged, table, [this] { impl_->ReportSelection(); });
    QObject::connect(table, &QTableWidget::cellClicked, table, [this](int row, int column) {
        if (column >= 0 && column < static_cast<int>(impl_->editable.size()) &&
            impl_->editable[static_cast<std::size_t>(column)])
            EditCell(row, column);
    });
}

} // namespace rt
