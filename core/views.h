#pragma once
// The views that the data module's rules tell about changes. Each kind of view is a small
// interface of its own (core/*view.h, beside the rules that call it) that its window implements.
// The window registers itself when it is created and unregisters when it is freed; while no
// window of a kind exists, the rules find none and leave it out:
//
//     TBlockman::TBlockman(QWidget* Owner) : TForm(Owner) { ...; RegisterView<BlockManagerView>(this); }
//     TBlockman::~TBlockman() { UnregisterView<BlockManagerView>(this); ... }
//
//     if (BlockManagerView* blockman = View<BlockManagerView>())
//         blockman->UpdateListView();
//
// A new view method touches its interface, its window and the rule that calls it, nothing else.
// One view of each kind is registered at a time: a second registration replaces the first, and
// unregistering a view that is no longer the registered one changes nothing. Tests register
// recorders in place of the windows.
namespace views_detail {

template <class V>
V*& slot()
{
    static V* view = nullptr;
    return view;
}

}  // namespace views_detail

// The registered view of a kind; null while no window of that kind exists.
template <class V>
V* View()
{
    return views_detail::slot<V>();
}

template <class V>
void RegisterView(V* view)
{
    views_detail::slot<V>() = view;
}

template <class V>
void UnregisterView(V* view)
{
    if (views_detail::slot<V>() == view)
        views_detail::slot<V>() = nullptr;
}
