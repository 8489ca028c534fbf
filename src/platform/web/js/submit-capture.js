// Runs in the automation's own script world, at the creation of every
// document of the pane. Serialises each form submission exactly as the
// browser will post it and hands the result to the pane through the console,
// marked with a token that the page's own scripts never see.
(function (channelToken) {
    'use strict';
    if (window.ferrowenFormCapture)
        return;

    const hookEvent = 'ferrowen-form-submit';
    const lastImageClick = new WeakMap();

    // Chromium posts windows-1252 for Latin-1 pages and UTF-8 otherwise.
    const singleByteCharsets = new Set(['windows-1252', 'iso-8859-1', 'us-ascii']);
    const windows1252High = [
        0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D, 0x017D, 0x8F,
        0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178,
    ];

    function withCrLf(text) {
        return text.replace(/\r\n|\r|\n/g, '\r\n');
    }

    function windows1252Bytes(text) {
        const bytes = [];
        for (const character of text) {
            const code = character.codePointAt(0);
            if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
                bytes.push(code);
                continue;
            }
            const high = windows1252High.indexOf(code);
            if (high >= 0) {
                bytes.push(0x80 + high);
                continue;
            }
            // What the browser sends for a character the charset lacks.
            for (const c of '&#' + code + ';')
                bytes.push(c.charCodeAt(0));
        }
        return bytes;
    }

    const utf8 = new TextEncoder();

    // application/x-www-form-urlencoded byte serialisation.
    function encodeComponent(text, singleByte) {
        const bytes = singleByte ? windows1252Bytes(text) : utf8.encode(text);
        let out = '';
        for (const byte of bytes) {
            if (byte === 0x20)
                out += '+';
            else if ((byte >= 0x30 && byte <= 0x39) || (byte >= 0x41 && byte <= 0x5A)
                     || (byte >= 0x61 && byte <= 0x7A) || byte === 0x2A || byte === 0x2D
                     || byte === 0x2E || byte === 0x5F)
                out += String.fromCharCode(byte);
            else
                out += '%' + (byte < 16 ? '0' : '') + byte.toString(16).toUpperCase();
        }
        return out;
    }

    function postsSingleByte(form) {
        const accepted = (form.acceptCharset || '').trim().toLowerCase().split(/[\s,]+/)[0];
        const charset = accepted || (document.characterSet || '').toLowerCase();
        return singleByteCharsets.has(charset);
    }

    // How many entries a control that precedes the submitter adds to the
    // form data; the browser lists the submitter's entry after them.
    function entryCount(control) {
        if (!control.name || control.matches(':disabled') || control.closest('datalist'))
            return 0;
        switch (control.localName) {
        case 'textarea':
            return control.getAttribute('dirname') ? 2 : 1;
        case 'select':
            return Array.from(control.options)
                .filter(option => option.selected && !option.matches(':disabled')).length;
        case 'input':
            switch (control.type) {
            case 'submit': case 'reset': case 'button': case 'image':
                return 0;
            case 'checkbox': case 'radio':
                return control.checked ? 1 : 0;
            case 'file':
                return Math.max(1, control.files.length);
            case 'text': case 'search':
                return control.getAttribute('dirname') ? 2 : 1;
            default:
                return 1;
            }
        default:
            return 0;
        }
    }

    function submitterEntries(submitter) {
        if (!submitter)
            return [];
        const name = submitter.getAttribute('name') || '';
        if (submitter.localName === 'input' && submitter.type === 'image') {
            const click = lastImageClick.get(submitter) || { x: 0, y: 0 };
            lastImageClick.delete(submitter);
            const prefix = name ? name + '.' : '';
            return [[prefix + 'x', String(click.x)], [prefix + 'y', String(click.y)]];
        }
        if (!name)
            return [];
        // An input without a value posts its default label.
        const value = submitter.localName === 'input' && !submitter.hasAttribute('value')
            ? 'Submit' : submitter.value;
        return [[name, value]];
    }

    function precedes(control, submitter) {
        return (control.compareDocumentPosition(submitter) & Node.DOCUMENT_POSITION_FOLLOWING) !== 0;
    }

    function entriesOf(form, submitter) {
        const entries = [];
        for (const [name, value] of new FormData(form))
            entries.push([name, typeof value === 'string' ? value : value.name]);
        const extra = submitterEntries(submitter);
        if (extra.length) {
            let position = 0;
            for (const control of form.elements) {
                if (precedes(control, submitter))
                    position += entryCount(control);
            }
            entries.splice(Math.min(position, entries.length), 0, ...extra);
        }
        return entries;
    }

    function serialise(form, submitter, singleByte) {
        return entriesOf(form, submitter)
            .map(([name, value]) => encodeComponent(withCrLf(name), singleByte) + '='
                 + encodeComponent(withCrLf(value), singleByte))
            .join('&');
    }

    function actionOf(form, submitter) {
        return submitter && submitter.hasAttribute('formaction') ? submitter.formAction : form.action;
    }

    function methodOf(form, submitter) {
        const method = submitter && submitter.hasAttribute('formmethod') ? submitter.formMethod : form.method;
        return String(method).toLowerCase();
    }

    function report(form, submitter) {
        if (!(form instanceof HTMLFormElement))
            return;
        const singleByte = postsSingleByte(form);
        const message = {
            action: actionOf(form, submitter),
            method: methodOf(form, submitter),
            data: serialise(form, submitter, singleByte),
            // The encoding of the text behind the percent escapes.
            charset: singleByte ? 'windows-1252' : 'UTF-8',
        };
        console.log(channelToken + JSON.stringify(message));
    }

    window.addEventListener('click', event => {
        const target = event.target;
        if (target instanceof HTMLInputElement && target.type === 'image')
            lastImageClick.set(target, { x: Math.trunc(event.offsetX), y: Math.trunc(event.offsetY) });
    }, true);
    // Before the page's own handlers: the page may stop the event.
    window.addEventListener('submit', event => report(event.target, event.submitter), true);
    // After them: an onsubmit handler often copies an editor into a field.
    window.addEventListener('submit', event => {
        if (!event.defaultPrevented)
            report(event.target, event.submitter);
    }, false);
    window.addEventListener(hookEvent, event => report(event.target, null), true);

    window.ferrowenFormCapture = { report: form => report(form, null) };
})(/*channel*/"");
