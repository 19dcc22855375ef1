// Grid control: painting one row of the owner-drawn child (WM_DRAWITEM) and
// fitting a cell text into its column with an ellipsis.
//
// Shortening removes whole characters (a double-byte character of the ANSI
// code page, a surrogate pair), and the text buffer always has room for the
// ellipsis, however long the resource string is.
#include "grid.h"

#include "display.h"

namespace {

const int kEllipsisMax = 32;
const int kTextStart = 256;

struct RowLayout {
    HWND listView;
    HDC dc;
    int row;
    RECT bounds;
    RECT label;
    HIMAGELIST images;
    bool focus;    // the child has the keyboard focus
    bool showSel;  // focus or LVS_SHOWSELALWAYS
    bool full;     // GCS_FULLROWSELECT
    bool rowDrawnSelected;
    UINT state;       // row state, reduced as painting goes on
    UINT rowState;    // cell mode: the child's state bits of the row
    COLORREF dcBack;  // the colours the device context came with
    COLORREF dcText;
    COLORREF cellText;  // cell mode: text of unselected cells
    WNDPROC direct;     // the list view's own procedure, or null: SendMessage
};

// A question to the child while painting (see GridState::childProc).
template <class C>
LRESULT Ask(const RowLayout *r, UINT message, WPARAM wParam, LPARAM lParam)
{
    return r->direct ? GridApi<C>::CallWindowProc(r->direct, r->listView, message, wParam, lParam)
                     : Win<C>::SendMessage(r->listView, message, wParam, lParam);
}

// A cell text read from the child; grows until the whole text fits.
template <class C>
struct CellText {
    C local[kTextStart + kEllipsisMax + 1];
    C *text = local;
    int capacity = kTextStart;  // characters the child may write, terminator included
    int length = 0;

    ~CellText()
    {
        if (text != local)
            HeapFree(GetProcessHeap(), 0, text);
    }

    bool Grow()
    {
        const int bigger = capacity * 2;
        const SIZE_T bytes = static_cast<SIZE_T>(bigger + kEllipsisMax + 1) * sizeof(C);
        C *more = static_cast<C *>(text == local ? HeapAlloc(GetProcessHeap(), 0, bytes)
                                                 : HeapReAlloc(GetProcessHeap(), 0, text, bytes));
        if (!more)
            return false;
        text = more;
        capacity = bigger;
        return true;
    }

    void Read(const RowLayout *r, int column)
    {
        typename GridApi<C>::Item item;
        for (;;) {
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = capacity;
            text[0] = 0;
            length = static_cast<int>(
                Ask<C>(r, GridApi<C>::kGetItemText, r->row, reinterpret_cast<LPARAM>(&item)));
            if (length < capacity - 1 || !Grow())
                break;
        }
        if (length < 0 || length >= capacity)
            length = 0;
        text[length] = 0;
    }
};

void Fill(HDC dc, const RECT *rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, rect, brush);
    DeleteObject(brush);
}

// One ring of a frame: its top and left lines in one colour, its bottom and right
// lines in another.
void FrameRing(HDC dc, const RECT &r, COLORREF topLeft, COLORREF bottomRight)
{
    const RECT top = {r.left, r.top, r.right - 1, r.top + 1};
    const RECT left = {r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT bottom = {r.left, r.bottom - 1, r.right, r.bottom};
    const RECT right = {r.right - 1, r.top, r.right, r.bottom};
    Fill(dc, &top, topLeft);
    Fill(dc, &left, topLeft);
    Fill(dc, &bottom, bottomRight);
    Fill(dc, &right, bottomRight);
}

// A push-button face in the colours of the dark set (row headers in dark mode).
void DrawDarkButton(HDC dc, const RECT *rect, bool pressed, COLORREF face)
{
    Fill(dc, rect, face);
    if (rect->right - rect->left < 4 || rect->bottom - rect->top < 4)
        return;
    const COLORREF light = DarkSysColor(COLOR_3DLIGHT), hilight = DarkSysColor(COLOR_3DHILIGHT);
    const COLORREF shadow = DarkSysColor(COLOR_3DSHADOW), dark = DarkSysColor(COLOR_3DDKSHADOW);
    RECT inner = *rect;
    InflateRect(&inner, -1, -1);
    if (pressed) {
        FrameRing(dc, *rect, shadow, hilight);
        FrameRing(dc, inner, dark, light);
    } else {
        FrameRing(dc, *rect, light, dark);
        FrameRing(dc, inner, hilight, shadow);
    }
}

template <class C>
bool ItemRect(const RowLayout *r, int part, RECT *rect)
{
    rect->left = part;
    return Ask<C>(r, LVM_GETITEMRECT, r->row, reinterpret_cast<LPARAM>(rect)) != 0;
}

template <class C>
void PaintFullRowLayer(const GridState *s, RowLayout *r)
{
    r->state = static_cast<UINT>(Ask<C>(r, LVM_GETITEMSTATE, r->row, ~0u));
    if (!r->focus)
        r->state &= ~static_cast<UINT>(LVIS_FOCUSED);
    r->rowDrawnSelected = (r->state & (LVIS_SELECTED | LVIS_DROPHILITED)) && r->showSel;
    RECT fill = r->bounds;
    if (r->images)
        fill.left = r->label.left;
    if (r->rowDrawnSelected) {
        SetBkColor(r->dc, s->selBack);
        SetTextColor(r->dc, s->selText);
        Fill(r->dc, &fill, s->selBack);
    } else {
        if (s->back != CLR_NONE) {
            SetBkColor(r->dc, s->back);
            Fill(r->dc, &fill, s->back);
        }
        SetTextColor(r->dc, s->text);
    }
    if ((r->state & LVIS_FOCUSED) && !(s->flags & (GCS_HORZLINES | GCS_VERTLINES)))
        DrawFocusRect(r->dc, &fill);
}

template <class C>
void PaintCellLayer(const GridState *s, RowLayout *r)
{
    r->rowState = static_cast<UINT>(Ask<C>(r, LVM_GETITEMSTATE, r->row, ~0u));
    r->state = GridRefineToColumn(s, 0, r->rowState);
    if (s->back != CLR_NONE)
        Fill(r->dc, &r->bounds, s->back);
    if (!r->focus)
        r->state &= ~static_cast<UINT>(LVIS_FOCUSED);
}

template <class C>
void PaintRowHeader(const GridState *s, RowLayout *r)
{
    RECT header = r->bounds;
    header.right = header.left + static_cast<int>(Ask<C>(r, LVM_GETCOLUMNWIDTH, 0, 0));
    const UINT current = LVIS_FOCUSED | LVIS_SELECTED;
    bool pressed;
    if (r->full) {
        pressed = r->rowDrawnSelected;
        r->state = current;
    } else {
        r->state = GridRefineToColumn(s, 0, r->rowState & current);
        pressed = r->showSel && r->state != 0;
    }
    // In dark mode the header of a selected row (full-row mode) takes the
    // selection background, under the selection text.
    if (DarkModeActive())
        DrawDarkButton(r->dc, &header, pressed,
                       r->full && pressed ? s->selBack : DarkSysColor(COLOR_3DFACE));
    else
        DrawFrameControl(r->dc, &header, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
}

template <class C>
void PaintIcon(const GridState *s, const RowLayout *r)
{
    RECT icon;
    if (!ItemRect<C>(r, LVIR_ICON, &icon) || icon.right - icon.left < 2)
        return;
    typename GridApi<C>::Item item;
    item.mask = LVIF_IMAGE;
    item.iItem = r->row;
    item.iSubItem = 0;
    item.iImage = -1;
    Ask<C>(r, GridApi<C>::kGetItem, 0, reinterpret_cast<LPARAM>(&item));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(r->images, &cx, &cy);
    const UINT blended =
        (s->flags & GCS_ROWHEADERS) ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50;
    const bool selectionShown = r->full ? r->rowDrawnSelected : r->showSel;
    COLORREF fore = s->back;
    UINT style = ILD_TRANSPARENT;
    if (r->state & LVIS_CUT) {
        style = blended;
    } else if (selectionShown && (r->state & (LVIS_SELECTED | LVIS_DROPHILITED))) {
        fore = s->selBack;
        style = blended;
    }
    ImageList_DrawEx(r->images, item.iImage, r->dc, icon.left, icon.top, cx, cy, s->back, fore,
                     style | (r->state & LVIS_OVERLAYMASK));
}

void PaintHorizontalLine(const GridState *s, const RowLayout *r)
{
    HPEN pen = CreatePen(s->flags & 0xFF, 1, s->horzLine);
    HGDIOBJ old = SelectObject(r->dc, pen);
    MoveToEx(r->dc, r->bounds.left, r->bounds.bottom - 1, NULL);
    LineTo(r->dc, r->bounds.right - 2, r->bounds.bottom - 1);
    SelectObject(r->dc, old);
    DeleteObject(pen);
}

// Cell mode: the selected cell's fill or frames, or the row's own colours.
template <class C>
void PaintCellSelection(const GridState *s, const RowLayout *r, int column, const RECT *text)
{
    const UINT cell = GridRefineToColumn(s, column, r->rowState);
    const bool header = (s->flags & GCS_ROWHEADERS) && column == 0;
    if (!r->showSel || !(cell & (LVIS_SELECTED | LVIS_DROPHILITED)) || header) {
        SetBkColor(r->dc, r->dcBack);
        SetTextColor(r->dc, r->cellText);
        return;
    }
    RECT frame = {text->left - 3, text->top, text->right, text->bottom - 1};
    const bool framed = (s->flags & GCS_FRAMESELECTION) != 0;
    if (!framed) {
        SetTextColor(r->dc, s->selText);
        SetBkColor(r->dc, s->selBack);
        Fill(r->dc, &frame, s->selBack);
    }
    DrawFocusRect(r->dc, &frame);
    if (framed) {
        InflateRect(&frame, -1, -1);
        DrawFocusRect(r->dc, &frame);
    }
}

template <class C>
void PaintColumns(const GridState *s, const RowLayout *r)
{
    HPEN pen = NULL;
    HGDIOBJ oldPen = NULL;
    if (s->flags & GCS_VERTLINES) {
        pen = CreatePen((s->flags >> 8) & 0xFF, 1, s->vertLine);
        oldPen = SelectObject(r->dc, pen);
    }
    // Text goes onto the painted cells: rows only as high as the font would
    // otherwise lose their lines under an opaque text background.
    const int oldMode = SetBkMode(r->dc, TRANSPARENT);
    RECT text = r->label;
    CellText<C> cell;
    for (int column = 0;; ++column) {
        typename GridApi<C>::Column info;
        info.mask = LVCF_FMT | LVCF_WIDTH;
        if (!Ask<C>(r, GridApi<C>::kGetColumn, column, reinterpret_cast<LPARAM>(&info)))
            break;
        cell.Read(r, column);
        if (column == 0) {
            text.left = r->label.left + 6;
            text.right = r->bounds.left + info.cx - 3;
        } else {
            text.left = text.right + 6;
            text.right = text.right + info.cx;
        }
        if (pen) {
            MoveToEx(r->dc, text.right + 1, text.top, NULL);
            LineTo(r->dc, text.right + 1, text.bottom);
        }
        if (!r->full)
            PaintCellSelection<C>(s, r, column, &text);
        if (cell.length > 0) {
            const int length =
                GridFitWithEllipsis<C>(r->dc, cell.text, cell.length, text.right - text.left, 0);
            const int align = info.fmt & LVCFMT_JUSTIFYMASK;
            const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                                (align == LVCFMT_RIGHT    ? DT_RIGHT
                                 : align == LVCFMT_CENTER ? DT_CENTER
                                                          : DT_LEFT);
            GridApi<C>::DrawText(r->dc, cell.text, length, &text, format);
        }
    }
    SetBkMode(r->dc, oldMode);
    if (pen) {
        SelectObject(r->dc, oldPen);
        DeleteObject(pen);
    }
}

}  // namespace

template <class C>
int GridFitWithEllipsis(HDC dc, C *text, int length, int width, int margin)
{
    // One measurement gives the extent of every prefix of a text of up to
    // kPartialMax characters; longer texts are measured prefix by prefix.
    const int kPartialMax = 256;
    int partial[kPartialMax];
    SIZE size;
    const bool havePartial =
        length <= kPartialMax && GridApi<C>::TextExtentEx(dc, text, length, partial, &size);
    if (length <= 0 || width <= 0 ||
        (!havePartial && !GridApi<C>::TextExtent(dc, text, length, &size)) ||
        size.cx + margin < width)
        return length;
    C ellipsis[kEllipsisMax + 1];
    int ellipsisLength = Win<C>::LoadString(libInstance, IDS_ELLIPSIS, ellipsis, kEllipsisMax + 1);
    if (ellipsisLength < 0)
        ellipsisLength = 0;
    ellipsis[ellipsisLength] = 0;
    SIZE dots = {0, 0};
    GridApi<C>::TextExtent(dc, ellipsis, ellipsisLength, &dots);
    while (length > 1) {
        const int last = GridApi<C>::LastCharLength(text, length);
        if (last >= length)
            break;
        length -= last;
        if (!havePartial && !GridApi<C>::TextExtent(dc, text, length, &size))
            continue;
        const int rest = havePartial ? partial[length - 1] : size.cx;
        if (rest + dots.cx + margin < width)
            break;
    }
    for (int i = 0; i <= ellipsisLength; ++i)
        text[length + i] = ellipsis[i];
    return length + ellipsisLength;
}

template <class C>
void GridPaintRow(GridState *s, const DRAWITEMSTRUCT *item)
{
    RowLayout r;
    r.listView = item->hwndItem;
    r.dc = item->hDC;
    r.row = static_cast<int>(item->itemID);
    r.direct =
        Win<C>::GetWindowLongPtr(r.listView, GWLP_WNDPROC) == s->attachedProc ? s->childProc : NULL;
    r.images = reinterpret_cast<HIMAGELIST>(Ask<C>(&r, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    r.focus = GetFocus() == r.listView;
    if (!ItemRect<C>(&r, LVIR_BOUNDS, &r.bounds) || !ItemRect<C>(&r, LVIR_LABEL, &r.label))
        return;
    if (r.bounds.right == r.bounds.left || r.bounds.bottom == r.bounds.top)
        return;
    const LONG_PTR style = Win<C>::GetWindowLongPtr(r.listView, GWL_STYLE);
    r.showSel = r.focus || (style & LVS_SHOWSELALWAYS);
    r.full = (s->flags & GCS_FULLROWSELECT) != 0;
    r.rowDrawnSelected = false;
    r.dcBack = GetBkColor(r.dc);
    r.dcText = GetTextColor(r.dc);
    r.cellText = r.dcText;
    if (!r.full && DarkModeActive()) {
        // The list view may prepare the device context in light colours of its
        // own (a selected row's); its text colour is the one meant.
        const COLORREF text = static_cast<COLORREF>(Ask<C>(&r, LVM_GETTEXTCOLOR, 0, 0));
        if (text != CLR_DEFAULT && text != CLR_NONE)
            r.cellText = text;
    }
    if (r.full)
        PaintFullRowLayer<C>(s, &r);
    else
        PaintCellLayer<C>(s, &r);
    if (s->flags & GCS_ROWHEADERS)
        PaintRowHeader<C>(s, &r);
    if (r.images)
        PaintIcon<C>(s, &r);
    if (s->flags & GCS_HORZLINES)
        PaintHorizontalLine(s, &r);
    PaintColumns<C>(s, &r);
    SetTextColor(r.dc, r.dcText);
    SetBkColor(r.dc, r.dcBack);
}

template int GridFitWithEllipsis<char>(HDC, char *, int, int, int);
template int GridFitWithEllipsis<WCHAR>(HDC, WCHAR *, int, int, int);
template void GridPaintRow<char>(GridState *, const DRAWITEMSTRUCT *);
template void GridPaintRow<WCHAR>(GridState *, const DRAWITEMSTRUCT *);
