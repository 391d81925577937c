/*
 * ListDataUI: the items of the last Airable list reply, kept as a circular
 * doubly linked list with a sentinel head.
 *
 * The head is created once at UI start-up and kept in ui_run_page.list_head.
 * The head's data is all zero and is never an item; an empty list is a head
 * whose prev and next point to itself. The list owns its nodes: the push
 * operations allocate them (zero-filled, with a full copy of the record) and
 * the pop, clean and delete operations free them. The head is never freed.
 *
 * Every operation runs on the GUI thread; nothing here locks.
 */
#ifndef LIST_DATA_UI_H
#define LIST_DATA_UI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define LIST_DATA_UI_TITLE_LEN 384
#define LIST_DATA_UI_URL_LEN 512

typedef struct ListDataUIData {
    uint32_t type;          /* ASCII type byte, zero-extended: '0' playable, else folder */
    uint32_t total;         /* number of items of the list the item came from */
    uint32_t index;         /* the item's index in that list */
    uint64_t id_identifier; /* the item's id */
    char title[LIST_DATA_UI_TITLE_LEN];
    char url[LIST_DATA_UI_URL_LEN];
    char redirection_url[LIST_DATA_UI_URL_LEN];
} ListDataUIData;

typedef struct ListDataUINode {
    struct ListDataUINode *prev; /* head: the last item's node */
    ListDataUIData data;
    struct ListDataUINode *next; /* head: the first item's node */
} ListDataUINode;

/* New empty list: a zero-filled head linked to itself; NULL when out of memory. */
ListDataUINode *ListDataUIListInit(void);

/* Append / prepend a copy of *data. Out of memory, or a NULL head, leaves
 * the list unchanged. */
void ListDataUIListPushBack(ListDataUINode *head, const ListDataUIData *data);
void ListDataUIListPushHead(ListDataUINode *head, const ListDataUIData *data);

/* Number of items; 0 for an empty list and for a NULL head. */
uint32_t ListDataUIListGetLength(const ListDataUINode *head);

/* Remove the first / last item: 0, or -1 for a NULL head or an empty list
 * (the empty list also prints a line). */
int32_t ListDataUIListPopHead(ListDataUINode *head);
int32_t ListDataUIListPopBack(ListDataUINode *head);

/* Remove every item, keeping the head ready for reuse; gives the number of
 * items removed (0 for a NULL head). */
uint32_t ListDataUIListClean(ListDataUINode *head);

/* Unlink and free one item node (never the head): 0, or -1 for NULL. */
int32_t ListDataUIListDelete(ListDataUINode *node);

/* Print every item to the console; a NULL head prints as an empty list. */
void ListDataUIDisplayAll(const ListDataUINode *head);

/* Number of items; prints a line first when the list is empty (or the head
 * NULL). */
uint32_t ListDataUIGetlenth(const ListDataUINode *head);

#ifdef __cplusplus
}
#endif

#endif /* LIST_DATA_UI_H */
