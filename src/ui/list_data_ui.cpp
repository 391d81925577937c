#include "ui/list_data_ui.h"

#include <stdio.h>
#include <stdlib.h>

#include "fw_common.h"
#include "ui/ui_log.h"

/* Text fields come from the service and are printed escaped, bounded by
 * their array, so a record that filled one to the brim without a terminator
 * cannot make the dump read past it. */
#define SHOWN_FIELD_LEN FW_ESCAPE_MAX(LIST_DATA_UI_URL_LEN)
#define SHOWN(field, out) fw_escape((field), sizeof(field), (out), sizeof(out))

static ListDataUINode *node_new(const ListDataUIData *data)
{
    ListDataUINode *node = (ListDataUINode *)calloc(1, sizeof(ListDataUINode));
    if (node != NULL && data != NULL) {
        node->data = *data;
    }
    return node;
}

/* Links node between prev and next, which are neighbours. */
static void node_link(ListDataUINode *node, ListDataUINode *prev, ListDataUINode *next)
{
    node->prev = prev;
    node->next = next;
    prev->next = node;
    next->prev = node;
}

static void node_unlink_free(ListDataUINode *node)
{
    node->prev->next = node->next;
    node->next->prev = node->prev;
    free(node);
}

/* A NULL head (its allocation failed) is an empty list that cannot be
 * filled. */
static bool list_empty(const ListDataUINode *head)
{
    return head == NULL || head->next == head;
}

ListDataUINode *ListDataUIListInit(void)
{
    ListDataUINode *head = node_new(NULL);
    if (head != NULL) {
        head->prev = head;
        head->next = head;
    }
    return head;
}

void ListDataUIListPushBack(ListDataUINode *head, const ListDataUIData *data)
{
    if (head == NULL) {
        return;
    }
    ListDataUINode *node = node_new(data);
    if (node != NULL) {
        node_link(node, head->prev, head);
    }
}

void ListDataUIListPushHead(ListDataUINode *head, const ListDataUIData *data)
{
    if (head == NULL) {
        return;
    }
    ListDataUINode *node = node_new(data);
    if (node != NULL) {
        node_link(node, head, head->next);
    }
}

uint32_t ListDataUIListGetLength(const ListDataUINode *head)
{
    if (head == NULL) {
        return 0;
    }
    uint32_t count = 0;
    for (const ListDataUINode *n = head->next; n != head; n = n->next) {
        count++;
    }
    return count;
}

int32_t ListDataUIListPopHead(ListDataUINode *head)
{
    if (head == NULL) {
        return -1;
    }
    if (list_empty(head)) {
        puts("空表怎么头删");
        return -1;
    }
    node_unlink_free(head->next);
    return 0;
}

int32_t ListDataUIListPopBack(ListDataUINode *head)
{
    if (head == NULL) {
        return -1;
    }
    if (list_empty(head)) {
        puts("空表怎么尾删");
        return -1;
    }
    node_unlink_free(head->prev);
    return 0;
}

uint32_t ListDataUIListClean(ListDataUINode *head)
{
    if (head == NULL) {
        return 0;
    }
    uint32_t removed = 0;
    while (!list_empty(head)) {
        node_unlink_free(head->next);
        removed++;
    }
    return removed;
}

int32_t ListDataUIListDelete(ListDataUINode *node)
{
    if (node == NULL) {
        return -1;
    }
    node_unlink_free(node);
    return 0;
}

void ListDataUIDisplayAll(const ListDataUINode *head)
{
    if (list_empty(head)) {
        UI_LOG("index  0 cnt\n");
        return;
    }
    char shown[SHOWN_FIELD_LEN];
    for (const ListDataUINode *n = head->next; n != head; n = n->next) {
        const ListDataUIData *d = &n->data;
        UI_LOG("index    :[%04d] title:[%s]\n", (int)d->index, SHOWN(d->title, shown));
        UI_LOG("id_identifier        :[%llu] \n", (unsigned long long)d->id_identifier);
        UI_LOG("redirection_url      :[%s] \n", SHOWN(d->redirection_url, shown));
        UI_LOG("url                  :[%s] \n", SHOWN(d->url, shown));
    }
}

uint32_t ListDataUIGetlenth(const ListDataUINode *head)
{
    if (list_empty(head)) {
        UI_LOG("index  0 cnt\n");
        return 0;
    }
    return ListDataUIListGetLength(head);
}
