// The page work for Roundcube webmail that names alone cannot do: telling
// its pages from others, reading a displayed message from its header cells
// and body element, sending through its own send button and reading the
// answer it shows, and ticking inbox rows through the list's own
// selection. Installed in the automation's own script world when first
// asked for; one call per operation, JSON in, the envelope {ok, value,
// error} out.
(function () {
    'use strict';
    if (window.ferrowenRoundcube)
        return;

    class PageError extends Error {}

    function fail(message) {
        throw new PageError(message);
    }

    function isRoundcubeDocument(doc) {
        return !!(doc && doc.body && doc.querySelector('script[src*="program/js/app"]')
                  && /^task-\w+ action-/.test(doc.body.className));
    }

    // The document showing a message: the page itself (the full view, or a
    // preview loaded on its own), else the preview frame of the mailbox.
    function messageDocument() {
        if (document.getElementById('messagebody'))
            return document;
        const frame = document.getElementById('messagecontframe');
        let inner = null;
        try {
            inner = frame && frame.contentDocument;
        } catch (error) {
            inner = null;
        }
        if (inner && inner.getElementById('messagebody'))
            return inner;
        fail('no message is displayed');
    }

    function text(node) {
        return (node ? node.textContent : '').replace(/\s+/g, ' ').trim();
    }

    // "Name <address>" for each address link of a header cell, or the
    // cell's text when it holds none. The cells show names only; the
    // addresses are in the links' titles.
    function addresses(cell) {
        if (!cell)
            return '';
        const links = cell.querySelectorAll('a.rcmContactAddress');
        if (links.length === 0)
            return text(cell);
        return Array.from(links, link => {
            const name = text(link);
            const address = (link.getAttribute('title') || '').trim()
                || (link.getAttribute('href') || '').replace(/^mailto:/i, '');
            if (!address || name === address || !name)
                return address || name;
            return name + ' <' + address + '>';
        }).join(', ');
    }

    // The subject heading holds a hidden caption and a link besides the
    // subject: only its own text counts.
    function subjectOf(doc) {
        const heading = doc.querySelector('h2.subject');
        if (!heading)
            return '';
        let own = '';
        for (const node of heading.childNodes) {
            if (node.nodeType === Node.TEXT_NODE)
                own += node.textContent;
        }
        return own.replace(/\s+/g, ' ').trim();
    }

    function headerCell(doc, kind) {
        return doc.querySelector('table.header-headers td.header.' + kind);
    }

    // The message's parts as HTML: a plain part's text, an HTML part's
    // washed body.
    function bodyOf(doc) {
        const body = doc.getElementById('messagebody');
        const parts = body.querySelectorAll('.message-part, .message-htmlpart');
        if (parts.length === 0)
            return body.innerHTML;
        return Array.from(parts, part => {
            const inner = part.querySelector('.rcmBody') || part.querySelector('div.pre') || part;
            return inner.innerHTML;
        }).join('\n<hr>\n');
    }

    function message() {
        const doc = messageDocument();
        const summaryDate = doc.querySelector('.header-summary .text-nowrap');
        return {
            from: addresses(headerCell(doc, 'from') || doc.querySelector('.header-summary .adr')),
            to: addresses(headerCell(doc, 'to')),
            cc: addresses(headerCell(doc, 'cc')),
            replyTo: addresses(headerCell(doc, 'replyto')),
            subject: subjectOf(doc),
            // The summary shows the full date; the header table a "pretty" one.
            date: text(summaryDate) || text(headerCell(doc, 'date')),
            body: bodyOf(doc),
            location: doc.location.href,
        };
    }

    // Messages the page shows in its message stack, by kind.
    function shownMessages() {
        const stack = document.getElementById('messagestack');
        return stack ? Array.from(stack.children) : [];
    }

    // What the last send left: the messages shown before it are marked, so
    // only the page's answer to this send counts; and whether the page was
    // seen busy sending (its "loading" message).
    const sending = { started: false, before: new WeakSet(), sawLoading: false, answeredEarly: false };

    function isLoading(shown) {
        return shown.classList.contains('loading');
    }

    // A send the user started with the page's own button: what shows from
    // now on is its answer. The page shows its "loading" message before it
    // posts, into a frame of its own, and takes both away once the answer
    // has come: without either, the answer came before this look, and is
    // the newest message shown.
    function watchSend() {
        const shown = shownMessages();
        sending.before = new WeakSet(shown.filter(message => !isLoading(message)));
        sending.sawLoading = shown.some(isLoading);
        sending.answeredEarly = !sending.sawLoading || !document.querySelector('iframe[name="savetarget"]');
        sending.started = true;
        return true;
    }

    function earlyAnswer(shown) {
        const answers = shown.filter(message => !isLoading(message));
        const newest = answers[answers.length - 1];
        if (!newest)
            return { state: 'pending' };
        if (newest.classList.contains('confirmation'))
            return { state: 'sent', message: text(newest) };
        if (newest.classList.contains('error') || newest.classList.contains('warning'))
            return { state: 'refused', message: text(newest) };
        return { state: 'pending' };
    }

    function sendButton() {
        const button = document.querySelector('button.send, a.send');
        if (!button)
            fail('the compose page has no send button');
        return button;
    }

    // While the page waits for a request of its own (the folder refresh it
    // makes every minute, among others) it shows its "loading" message and
    // ignores every command, Send included.
    function pageBusy() {
        return shownMessages().some(isLoading);
    }

    // The page's script enables the button once it has started.
    function sendReady() {
        const button = sendButton();
        return !(button.disabled || button.classList.contains('disabled')) && !pageBusy();
    }

    // False when the page could not take the click now (it has become busy
    // since it was last asked): nothing was sent, try again.
    function send() {
        const button = sendButton();
        if (button.disabled || button.classList.contains('disabled'))
            fail('the send button is not ready');
        if (pageBusy())
            return false;
        sending.before = new WeakSet(shownMessages());
        sending.sawLoading = false;
        sending.answeredEarly = false;
        sending.started = true;
        // Its onclick runs the page's own send command.
        HTMLElement.prototype.click.call(button);
        return true;
    }

    // "sent" once the page says the message went, "refused" with the page's
    // words when it shows an error, or when it stopped sending without
    // saying it was sent (an error it shows again keeps its old box),
    // "draft" when a draft was saved instead, else "pending". With watch
    // set: a send the user started has just been posted; watched from now.
    function sendState(request) {
        if (request && request.watch)
            return watchSend();
        if (!sending.started)
            return { state: 'none' };
        const shown = shownMessages();
        if (sending.answeredEarly)
            return earlyAnswer(shown);
        const loading = shown.some(isLoading);
        sending.sawLoading = sending.sawLoading || loading;
        for (const message of shown) {
            if (sending.before.has(message))
                continue;
            const kind = message.classList;
            if (kind.contains('error') || kind.contains('warning'))
                return { state: 'refused', message: text(message) };
        }
        const form = document.forms.form;
        if (form && form._draft && form._draft.value)
            return { state: 'draft' };
        for (const message of shown) {
            if (!sending.before.has(message) && message.classList.contains('confirmation'))
                return { state: 'sent', message: text(message) };
        }
        if (sending.sawLoading && !loading) {
            const errors = shown.filter(message => message.classList.contains('error')
                                                   || message.classList.contains('warning'));
            return { state: 'refused', message: errors.map(text).join(' ') };
        }
        // A dialog of the page asks something (an empty subject): not sent.
        const dialog = document.querySelector('.ui-dialog:not([style*="display: none"]) .ui-dialog-content');
        if (dialog && dialog.offsetParent !== null)
            return { state: 'refused', message: text(dialog) };
        return { state: 'pending' };
    }

    function inboxRows() {
        const list = document.getElementById('messagelist');
        if (!list)
            fail('the page shows no message list');
        return Array.from(list.querySelectorAll('tr.message'));
    }

    // Whether each row is ticked: the list's own selection, which the
    // boxes follow only when the list changed them.
    function inboxBoxes() {
        return inboxRows().map(row => row.classList.contains('selected'));
    }

    // Ticks rows through their boxes, as clicks would: the list's own code
    // selects them, so the page's Delete and Move act on them.
    function tickBoxes(request) {
        const rows = inboxRows();
        let ticked = 0;
        for (const index of request.indexes || []) {
            const row = rows[index];
            if (!row || row.classList.contains('selected'))
                continue;
            const box = row.querySelector('td.selection input[type=checkbox]');
            if (box)
                HTMLElement.prototype.click.call(box);
            else
                fail('a message row has no check box');
            ++ticked;
        }
        return ticked;
    }

    const operations = {
        recognise: () => isRoundcubeDocument(document),
        message: message,
        sendReady: sendReady,
        // The page's script has started on its compose form: until then it
        // may still reset the form's fields to what the page was sent with.
        composeStarted: () => {
            const button = document.querySelector('button.send, a.send');
            return !!button && !(button.disabled || button.classList.contains('disabled'));
        },
        send: send,
        sendState: sendState,
        inboxBoxes: inboxBoxes,
        tickBoxes: tickBoxes,
    };

    window.ferrowenRoundcube = {
        operations,
        expected: PageError,
    };
})();
