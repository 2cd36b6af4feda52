// The phone page: one player's controller. Every state from the game is complete, so the whole UI
// is drawn from the latest one; a reload or reconnect lands on the right screen at once.
// Everything that comes from the game goes into the page as text nodes, never as HTML.
"use strict";

(function () {
    const HEX6 = /^[0-9A-Fa-f]{6}$/;
    const PICTURE = /^picture\/(character|field)\/[a-z0-9_]+\.png$/;
    const LANG = /^[A-Za-z]{2,3}(-[A-Za-z0-9]{1,8})*$/;
    const TYPE_DELAY_MS = 700;      // typing pauses this long before a name or number is sent
    const LOCAL_HOLD_MS = 5000;     // a choice made here wins over older states this long
    const NOTICE_MS = 4500;
    const ERROR_MS = 4000;
    const LINK_GRACE_MS = 1200;     // short drops are not worth a "reconnecting" line
    const RESPONSE_GRACE_MS = 5000; // re-enable taps if the state after an answer never comes

    const app = document.getElementById("app");
    const titleNode = document.getElementById("title");
    const linkLine = document.getElementById("reconnecting");
    const toastBox = document.getElementById("toasts");

    let state = null;
    let texts = null;
    let closedQuestion = null;  // the id of a question whose answer came too late
    let textsLang = null;       // language the loaded texts are for; "?" before the first state
    let textsWanted = null;     // language of the texts asked for last
    let textsRequest = 0;
    let textsFailures = 0;
    let textsTimer = 0;
    let view = null;
    let lastNotice;
    let linkTimer = 0;

    // Taps in flight: kind -> {key, responded, sawState, timer}. The buttons stay disabled until
    // the game has reacted, so a second tap cannot answer twice.
    const busy = {answer: null, roll: null, join: null, leave: null};

    // Choices made on this phone that the game has not confirmed yet: field -> {value, until}.
    const local = new Map();

    // ---- Small helpers ------------------------------------------------------------------------

    function el(tag, opts) {
        const node = document.createElement(tag);
        if (opts) {
            for (const key of Object.keys(opts)) {
                const value = opts[key];
                if (value === null || value === undefined || value === false) {
                    continue;
                }
                if (key === "class") {
                    node.className = value;
                } else if (key === "text") {
                    node.textContent = value;
                } else if (key.startsWith("on")) {
                    node.addEventListener(key.slice(2), value);
                } else {
                    node.setAttribute(key, value === true ? "" : String(value));
                }
            }
        }
        for (let i = 2; i < arguments.length; i++) {
            const child = arguments[i];
            if (child !== null && child !== undefined && child !== false) {
                node.append(child);
            }
        }
        return node;
    }

    function t(key) {
        const text = texts && typeof texts[key] === "string" ? texts[key] : key;
        let next = 1;
        const args = arguments;
        return text.replace(/%[sd]/g, function () {
            return next < args.length ? String(args[next++]) : "";
        });
    }

    // A text whose %s is a node (a name in its colour), as a fragment of text nodes.
    function tNode(key, node) {
        const text = texts && typeof texts[key] === "string" ? texts[key] : key;
        const at = text.indexOf("%s");
        const fragment = document.createDocumentFragment();
        if (at < 0) {
            fragment.append(text);
            return fragment;
        }
        fragment.append(text.slice(0, at), node, text.slice(at + 2));
        return fragment;
    }

    function hex(value) {
        return typeof value === "string" && HEX6.test(value) ? value.toUpperCase() : null;
    }

    function luminance(hex6) {
        const channels = [0, 2, 4].map(function (i) {
            const c = parseInt(hex6.slice(i, i + 2), 16) / 255;
            return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
        });
        return 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
    }

    // Ink or white, whichever reads better on a player's colour.
    function textOn(hex6) {
        const l = luminance(hex6);
        const onInk = (l + 0.05) / (luminance("1B1530") + 0.05);
        const onWhite = 1.05 / (l + 0.05);
        return onInk >= onWhite ? "#1B1530" : "#FFFFFF";
    }

    function paint(node, property, colour) {
        const c = hex(colour);
        if (c) {
            node.style.setProperty(property, "#" + c);
        }
        return c;
    }

    function picture(url) {
        return typeof url === "string" && PICTURE.test(url) ? url : null;
    }

    function characterPicture(n) {
        if (!Number.isInteger(n) || n < 0 || n > 99) {
            return null;
        }
        return picture("picture/character/" + (n < 10 ? "0" : "") + n + ".png");
    }

    function img(url, cls) {
        const src = picture(url);
        return src ? el("img", {class: cls, src: src, alt: "", draggable: "false"}) : null;
    }

    function portrait(character, colour, cls) {
        const node = el("img", {class: cls || "portrait", alt: "", draggable: "false"});
        const src = characterPicture(character);
        if (src) {
            node.src = src;
        }
        paint(node, "border-color", colour);
        return node;
    }

    function count(value) {
        return Number.isFinite(value) ? String(value) : "0";
    }

    function str(value) {
        return typeof value === "string" ? value : "";
    }

    function sig() {
        return JSON.stringify(Array.prototype.slice.call(arguments));
    }

    // A region of a view that is rebuilt only when what it shows has changed, so focus, typing and
    // the pressed look survive the many states that change something else.
    function region(parent, tag, cls) {
        const node = el(tag || "div", {class: cls});
        parent.append(node);
        let last = null;
        return {
            node: node,
            set: function (signature, build) {
                if (signature === last) {
                    return false;
                }
                last = signature;
                const made = build();
                node.replaceChildren.apply(node, made === null || made === undefined ? [] : [].concat(made));
                node.hidden = node.childNodes.length === 0;
                return true;
            },
        };
    }

    function want(field, serverValue) {
        const held = local.get(field);
        if (!held) {
            return serverValue;
        }
        if (Date.now() > held.until || held.value === serverValue) {
            local.delete(field);
            return serverValue;
        }
        return held.value;
    }

    function hold(field, value) {
        local.set(field, {value: value, until: Date.now() + LOCAL_HOLD_MS});
    }

    function vibrate() {
        if (typeof navigator.vibrate === "function") {
            try {
                navigator.vibrate(200);
            } catch (ignored) {
                // Some browsers refuse without a tap first; the buzz is only a nicety.
            }
        }
    }

    // Remembered per tab, so a reload does not buzz again for the same roll or question.
    const lastSeen = {};

    function firstTime(name, id) {
        const key = "swiggard." + name;
        let last = lastSeen[key];
        try {
            last = sessionStorage.getItem(key);
        } catch (ignored) {
            // Private modes may refuse storage; memory still covers reconnects.
        }
        if (last === String(id)) {
            return false;
        }
        lastSeen[key] = String(id);
        try {
            sessionStorage.setItem(key, String(id));
        } catch (ignored) {
            // As above.
        }
        return true;
    }

    // ---- Toasts and the connection line -------------------------------------------------------

    function toast(text, isError) {
        for (const old of toastBox.children) {
            if (old.textContent === text && !old.classList.contains("gone")) {
                return;
            }
        }
        while (toastBox.children.length >= 3) {
            toastBox.firstChild.remove();
        }
        const node = el("div", {class: isError ? "toast error" : "toast", text: text});
        toastBox.append(node);
        setTimeout(function () {
            node.classList.add("gone");
            setTimeout(function () {
                node.remove();
            }, 350);
        }, isError ? ERROR_MS : NOTICE_MS);
    }

    function errorText(status) {
        switch (status) {
        case 409:
            return t("PhoneLateTap");
        case 413:
            return t("PhoneTooLong");
        case 429:
            return t("PhoneTooFast");
        case 0:
            return t("PhoneNetwork");
        case 400:
        case 403:
        case 404:
        case 405:
            return t("PhoneRefused");
        default:
            return t("PhoneBusy");
        }
    }

    function setLinkDown(down) {
        clearTimeout(linkTimer);
        if (!down) {
            linkLine.hidden = true;
            return;
        }
        linkTimer = setTimeout(function () {
            if (state && state.screen === "closed") {
                return; // the game has gone for good: nothing to wait for
            }
            linkLine.textContent = t("PhoneReconnecting");
            linkLine.hidden = false;
        }, LINK_GRACE_MS);
    }

    // ---- Talking to the game ------------------------------------------------------------------

    // Resolves true on 200; otherwise shows the matching line and resolves false.
    function post(route, body) {
        return fetch(route, {
            method: "POST",
            headers: {"Content-Type": "application/json"},
            body: JSON.stringify(body),
            credentials: "same-origin",
            cache: "no-store",
        }).then(function (response) {
            if (!response.ok) {
                toast(errorText(response.status), true);
            }
            return response.status;
        }, function () {
            toast(errorText(0), true);
            return 0;
        });
    }

    function stillOpen(kind, key, s) {
        switch (kind) {
        case "answer":
            return !!(s.question && s.question.id === key && s.question.answerable);
        case "roll":
            return !!(s.roll && s.roll.id === key);
        case "join":
            return !s.you && (s.screen === "lobby" || s.screen === "game");
        case "leave":
            return !!s.you && s.screen === "lobby";
        default:
            return false;
        }
    }

    function tap(kind, key, route, body, button) {
        if (busy[kind]) {
            return;
        }
        const pending = {key: key, button: button, responded: false, sawState: false, timer: 0};
        busy[kind] = pending;
        render();
        post(route, body).then(function (status) {
            const ok = status >= 200 && status < 300;
            // A question somebody else answered first stays shut until the next one comes.
            if (kind === "answer" && status === 409) {
                closedQuestion = key;
            }
            if (ok && (kind === "join" || kind === "leave")) {
                // The event stream still carries the old cookie: a new one brings this phone's own state.
                connect();
            }
            if (busy[kind] !== pending) {
                return;
            }
            if (!ok || pending.sawState) {
                busy[kind] = null;
                render();
                return;
            }
            pending.responded = true;
            pending.timer = setTimeout(function () {
                if (busy[kind] === pending) {
                    busy[kind] = null;
                    render();
                }
            }, RESPONSE_GRACE_MS);
        });
    }

    function sendChoice(route, field, value) {
        hold(field, value);
        const body = {};
        body[field] = value;
        render();
        post(route, body).then(function (status) {
            if (status < 200 || status >= 300) {
                local.delete(field);
                render();
            }
        });
    }

    function loadTexts(lang) {
        textsWanted = lang;
        const request = ++textsRequest;
        clearTimeout(textsTimer);
        fetch("texts", {credentials: "same-origin", cache: "no-store"}).then(function (response) {
            if (!response.ok) {
                throw new Error("texts " + response.status);
            }
            return response.json();
        }).then(function (data) {
            if (request !== textsRequest) {
                return;
            }
            const clean = Object.create(null);
            if (data && typeof data === "object") {
                for (const key of Object.keys(data)) {
                    if (typeof data[key] === "string") {
                        clean[key] = data[key];
                    }
                }
            }
            texts = clean;
            textsLang = textsWanted;
            textsFailures = 0;
            render();
        }).catch(function () {
            if (request !== textsRequest) {
                return;
            }
            textsFailures += 1;
            // Keys beat a blank page once the texts keep failing.
            if (!texts && textsFailures >= 2) {
                texts = {};
                render();
            }
            textsTimer = setTimeout(function () {
                loadTexts(textsWanted);
            }, Math.min(15000, 1500 * textsFailures));
        });
    }

    function onState(s) {
        if (!s || typeof s !== "object") {
            return;
        }
        state = s;
        const lang = typeof s.lang === "string" && LANG.test(s.lang) ? s.lang : "en";
        document.documentElement.lang = lang;
        if (textsWanted === "?") {
            // The first texts were asked for before the game said its language: they are in it.
            textsWanted = lang;
            if (textsLang === "?") {
                textsLang = lang;
            }
        }
        if (textsWanted !== lang) {
            loadTexts(lang);
        }

        for (const kind of Object.keys(busy)) {
            const pending = busy[kind];
            if (!pending) {
                continue;
            }
            if (pending.responded || !stillOpen(kind, pending.key, s)) {
                clearTimeout(pending.timer);
                busy[kind] = null;
            } else {
                pending.sawState = true;
            }
        }

        if (s.screen === "game") {
            if (s.roll && s.roll.id !== undefined && firstTime("roll", s.roll.id)) {
                vibrate();
            }
            if (s.question && s.question.answerable && firstTime("question", s.question.id)) {
                vibrate();
            }
        }

        const notice = typeof s.notice === "string" && s.notice.trim() ? s.notice : null;
        if (notice && notice !== lastNotice) {
            toast(notice, false);
        }
        lastNotice = notice;

        render();
    }

    let source = null;
    let reconnectTimer = 0;

    function connect() {
        clearTimeout(reconnectTimer);
        if (typeof EventSource !== "function") {
            poll();
            return;
        }
        if (source) {
            source.close();
        }
        const mine = new EventSource("events");
        source = mine;
        mine.onopen = function () {
            setLinkDown(false);
        };
        mine.onmessage = function (event) {
            let s = null;
            try {
                s = JSON.parse(event.data);
            } catch (ignored) {
                return;
            }
            setLinkDown(false);
            onState(s);
        };
        mine.onerror = function () {
            if (mine !== source) {
                return;
            }
            setLinkDown(true);
            // The browser retries by itself unless the server answered with an error status.
            if (mine.readyState === EventSource.CLOSED) {
                reconnectTimer = setTimeout(connect, 3000);
            }
        };
    }

    // A phone that wakes up should not wait for the browser's back-off to find the game again.
    document.addEventListener("visibilitychange", function () {
        if (document.visibilityState === "visible" && source && source.readyState !== EventSource.OPEN) {
            connect();
        }
    });

    // Only for browsers without server-sent events.
    function poll() {
        fetch("state", {credentials: "same-origin", cache: "no-store"}).then(function (response) {
            if (!response.ok) {
                throw new Error("state " + response.status);
            }
            return response.json();
        }).then(function (s) {
            setLinkDown(false);
            onState(s);
        }).catch(function () {
            setLinkDown(true);
        }).then(function () {
            setTimeout(poll, 2000);
        });
    }

    // ---- Views --------------------------------------------------------------------------------

    function viewName(s) {
        if (!s || !texts) {
            return "wait";
        }
        switch (s.screen) {
        case "lobby":
            return s.you ? "setup" : "join";
        case "game":
            // A late arrival takes a row played at the TV.
            return s.you ? "game" : "join";
        case "over":
        case "closed":
            return "end";
        default:
            return "wait";
        }
    }

    function render() {
        const name = viewName(state);
        if (!view || view.name !== name || view.lang !== textsLang) {
            const make = {wait: waitView, join: joinView, setup: setupView, game: gameView, end: endView}[name];
            view = make();
            view.name = name;
            view.lang = textsLang;
            app.replaceChildren(view.root);
            window.scrollTo(0, 0);
        }
        if (texts) {
            titleNode.textContent = t("PhoneTitle");
            document.title = t("PhoneTitle");
        }
        if (state) {
            view.update(state);
        }
        fitAll();
    }

    // Long words (German compounds, say) are shrunk a step before they would be split mid-word.
    function fitAll() {
        for (const node of app.querySelectorAll(".fit")) {
            node.classList.remove("tight", "squeeze");
            if (node.scrollWidth > node.clientWidth + 1) {
                node.classList.add("tight");
                if (node.scrollWidth > node.clientWidth + 1) {
                    node.classList.add("squeeze");
                }
            }
        }
    }

    function waitView() {
        const root = el("div", {class: "center"},
            el("div", {class: "spinner"}),
            texts ? el("p", {class: "caption", text: t("PhoneConnecting")}) : null);
        return {root: root, update: function () {}};
    }

    // Lobby, not joined yet: which row of the TV is me?
    function joinView() {
        const root = el("div");
        root.append(el("h2", {class: "lead center", text: t("PhoneJoinHeading")}));
        const hint = region(root);
        const list = region(root, "ul", "rows");
        const tail = region(root);

        function seat(row) {
            const name = str(row.name);
            const colour = hex(row.color);
            const face = portrait(row.character, colour);
            if (row.phone) {
                return el("li", null, el("div", {class: "seat taken", "aria-disabled": "true"},
                    face,
                    el("span", {class: "body"},
                        el("span", {class: "name", text: name}),
                        el("span", {class: "tag"}, el("span", {class: "phone-mark", "aria-hidden": "true"}),
                            t("PhoneTaken")))));
            }
            return el("li", null, el("button", {
                class: "seat",
                type: "button",
                disabled: !!busy.join,
                "aria-label": t("PhoneJoinAs", name),
                onclick: function () {
                    tap("join", row.row, "join", {row: row.row});
                },
            }, face, el("span", {class: "body"},
                el("span", {class: "name", text: name}),
                el("span", {class: "tag fit", text: t("PhoneJoinRow")}))));
        }

        return {
            root: root,
            update: function (s) {
                const rows = Array.isArray(s.rows) ? s.rows.filter(function (r) {
                    return r && Number.isInteger(r.row);
                }) : [];
                list.set(sig(rows, !!busy.join), function () {
                    return rows.map(seat);
                });
                const free = rows.some(function (r) {
                    return !r.phone;
                });
                hint.set(sig(free), function () {
                    return free ? el("p", {class: "caption center", text: t("PhoneJoinHint")}) : null;
                });
                tail.set(sig(!!s.canAdd, free, !!busy.join), function () {
                    if (s.canAdd) {
                        return el("button", {
                            class: "btn primary big plus",
                            type: "button",
                            disabled: !!busy.join,
                            onclick: function () {
                                tap("join", -1, "join", {row: -1});
                            },
                        }, el("span", {class: "txt fit", text: t("PhoneAddPlayer")}));
                    }
                    return free ? null : el("p", {class: "caption center", text: t("PhoneFull")});
                });
            },
        };
    }

    // Parse what a player typed into a number field: a comma works as the decimal mark too.
    function readNumber(text) {
        const cleaned = text.trim().replace(",", ".");
        if (!/^\d+(\.\d*)?$|^\.\d+$/.test(cleaned)) {
            return NaN;
        }
        return parseFloat(cleaned);
    }

    function showNumber(value, lang) {
        try {
            return value.toLocaleString(lang, {maximumFractionDigits: 1, useGrouping: false});
        } catch (ignored) {
            return String(value);
        }
    }

    // Lobby, joined: this player's own set-up.
    function setupView() {
        const root = el("div");
        root.append(
            el("h2", {class: "lead center", text: t("PhoneYouAreIn")}),
            el("p", {class: "waiting", role: "status", text: t("PhoneWaitingForStart")}));

        // Who I am.
        const mePanel = el("section", {class: "panel"});
        const meFace = el("img", {class: "portrait", alt: "", draggable: "false"});
        const meName = el("span", {class: "name"});
        mePanel.append(el("div", {class: "me"}, meFace, meName));

        const nameInput = el("input", {
            class: "input",
            id: "f-name",
            type: "text",
            maxlength: "40",
            autocomplete: "off",
            autocapitalize: "words",
            spellcheck: "false",
            enterkeyhint: "done",
        });
        mePanel.append(el("div", {class: "field"},
            el("label", {class: "label", for: "f-name", text: t("PhoneName")}), nameInput));

        const colourField = el("div", {class: "field", role: "group", "aria-labelledby": "l-colour"},
            el("span", {class: "label", id: "l-colour", text: t("PhoneColor")}));
        mePanel.append(colourField);
        const swatches = region(colourField, "div", "swatches");

        const characterField = el("div", {class: "field", role: "group", "aria-labelledby": "l-character"},
            el("span", {class: "label", id: "l-character", text: t("PhoneCharacter")}));
        mePanel.append(characterField);
        const picks = region(characterField, "div", "picks");

        const genderButtons = ["male", "female"].map(function (g) {
            return el("button", {
                class: "toggle tall",
                type: "button",
                "data-value": g,
                onclick: function () {
                    sendChoice("player", "gender", g);
                },
            }, el("span", {class: "fit", text: t(g === "male" ? "PhoneMale" : "PhoneFemale")}));
        });
        mePanel.append(el("div", {class: "field", role: "group", "aria-labelledby": "l-gender"},
            el("span", {class: "label", id: "l-gender", text: t("PhoneGender")}),
            el("div", {class: "toggles"}, genderButtons[0], genderButtons[1])));
        // How this player drinks: water and the driver's sips never count as alcohol.
        const styleButtons = ["Drinks", "Light", "Water", "Driver"].map(function (s) {
            return el("button", {
                class: "toggle tall",
                type: "button",
                "data-value": s,
                onclick: function () {
                    sendChoice("player", "style", s);
                },
            }, el("span", {class: "fit", text: t("PhoneStyle" + s)}));
        });
        mePanel.append(el("div", {class: "field", role: "group", "aria-labelledby": "l-style"},
            el("span", {class: "label", id: "l-style", text: t("PhoneStyle")}),
            el("div", {class: "toggles"}, ...styleButtons)));
        root.append(mePanel);

        // Body data: optional, only for the estimate.
        const bodyPanel = el("section", {class: "panel"},
            el("h2", {text: t("PhoneBody")}),
            el("p", {class: "note"}, el("span", {class: "lock", "aria-hidden": "true"}),
                el("span", {text: t("PhoneBodyPrivate")})));
        const stomachButtons = ["empty", "half", "full"].map(function (v) {
            const key = {empty: "PhoneStomachEmpty", half: "PhoneStomachHalf", full: "PhoneStomachFull"}[v];
            return el("button", {
                class: "toggle",
                type: "button",
                "data-value": v,
                onclick: function () {
                    sendChoice("body", "stomach", v);
                },
            }, el("span", {class: "fit", text: t(key)}));
        });
        bodyPanel.append(el("div", {class: "field", role: "group", "aria-labelledby": "l-stomach"},
            el("span", {class: "label", id: "l-stomach", text: t("PhoneStomach")}),
            el("div", {class: "toggles"}, stomachButtons[0], stomachButtons[1], stomachButtons[2])));

        // strength is sent in tenths of a per cent; the player types per cent.
        const numbers = [
            {field: "strength", label: "PhoneStrength", hint: "PhoneStrengthHint", decimal: true,
                max: 100, toShown: function (v) { return v / 10; }, toSent: function (v) { return Math.round(v * 10); }},
            {field: "volume", label: "PhoneVolume", hint: "PhoneVolumeHint", decimal: false, min: 1,
                max: 2000, toShown: function (v) { return v; }, toSent: function (v) { return Math.round(v); }},
            {field: "weight", label: "PhoneWeight", hint: null, decimal: false, min: 1,
                max: 1500, toShown: function (v) { return v; }, toSent: function (v) { return Math.round(v); }},
        ];
        for (const n of numbers) {
            n.input = el("input", {
                class: "input",
                id: "f-" + n.field,
                type: "text",
                inputmode: n.decimal ? "decimal" : "numeric",
                autocomplete: "off",
                enterkeyhint: "done",
                maxlength: "6",
                "aria-describedby": "h-" + n.field,
            });
            n.unit = el("span", {class: "unit"});
            n.hintNode = el("p", {class: "hint", id: "h-" + n.field});
            n.invalid = false;
            n.timer = 0;
            bodyPanel.append(el("div", {class: "field"},
                el("label", {class: "label", for: "f-" + n.field, text: t(n.label)}),
                el("div", {class: "unit-field"}, n.input, n.unit),
                n.hintNode));
            wireNumber(n);
        }
        const bodyDone = el("p", {class: "done", text: t("PhoneBodyComplete")});
        bodyPanel.append(bodyDone);
        root.append(bodyPanel);

        // Leaving, with a second tap to confirm.
        const confirm = el("div", {class: "confirm", hidden: true});
        const leaveButton = el("button", {
            class: "btn leave",
            type: "button",
            text: t("PhoneLeave"),
            onclick: function () {
                confirm.hidden = false;
                leaveButton.hidden = true;
                stayButton.focus();
            },
        });
        const stayButton = el("button", {
            class: "btn",
            type: "button",
            text: t("PhoneLeaveNo"),
            onclick: function () {
                confirm.hidden = true;
                leaveButton.hidden = false;
                leaveButton.focus();
            },
        });
        const goButton = el("button", {
            class: "btn danger",
            type: "button",
            text: t("PhoneLeaveYes"),
            onclick: function () {
                tap("leave", true, "leave", {});
            },
        });
        confirm.append(el("p", {text: t("PhoneLeaveQuestion")}), el("div", {class: "row2"}, stayButton, goButton));
        root.append(leaveButton, confirm);

        // Name: sent after a pause in typing and when the field is left.
        let nameTimer = 0;
        let composing = false;

        function sendName() {
            clearTimeout(nameTimer);
            nameTimer = 0;
            const name = nameInput.value.trim();
            const you = state && state.you;
            if (!name || !you || name === want("name", str(you.name))) {
                return;
            }
            sendChoice("player", "name", name);
        }

        nameInput.addEventListener("input", function () {
            meName.textContent = nameInput.value;
            clearTimeout(nameTimer);
            nameTimer = composing ? 0 : setTimeout(sendName, TYPE_DELAY_MS);
        });
        nameInput.addEventListener("compositionstart", function () {
            composing = true;
        });
        nameInput.addEventListener("compositionend", function () {
            composing = false;
            clearTimeout(nameTimer);
            nameTimer = setTimeout(sendName, TYPE_DELAY_MS);
        });
        nameInput.addEventListener("change", sendName);
        nameInput.addEventListener("blur", function () {
            sendName();
            if (!nameInput.value.trim() && state && state.you) {
                nameInput.value = want("name", str(state.you.name));
                meName.textContent = nameInput.value;
            }
        });
        nameInput.addEventListener("keydown", function (event) {
            if (event.key === "Enter") {
                nameInput.blur();
            }
        });

        function wireNumber(n) {
            function check(sendNow) {
                clearTimeout(n.timer);
                n.timer = 0;
                const text = n.input.value;
                if (!text.trim()) {
                    n.invalid = false;
                    showHint(n);
                    return;
                }
                const value = readNumber(text);
                n.invalid = !(value >= (n.min || 0) && value <= n.max);
                showHint(n);
                if (n.invalid) {
                    return;
                }
                if (sendNow) {
                    const sent = n.toSent(value);
                    const body = state && state.you && state.you.body;
                    if (!body || want(n.field, body[n.field]) !== sent) {
                        sendChoice("body", n.field, sent);
                    }
                } else {
                    n.timer = setTimeout(function () {
                        check(true);
                    }, TYPE_DELAY_MS);
                }
            }
            n.input.addEventListener("input", function () {
                check(false);
            });
            n.input.addEventListener("change", function () {
                check(true);
            });
            n.input.addEventListener("blur", function () {
                check(true);
            });
            n.input.addEventListener("keydown", function (event) {
                if (event.key === "Enter") {
                    n.input.blur();
                }
            });
        }

        function showHint(n) {
            if (n.invalid) {
                n.hintNode.textContent = t("PhoneCheckNumber");
                n.hintNode.className = "hint bad";
                n.hintNode.hidden = false;
                n.input.setAttribute("aria-invalid", "true");
            } else {
                n.hintNode.textContent = n.hint ? t(n.hint) : "";
                n.hintNode.className = "hint";
                n.hintNode.hidden = !n.hint;
                n.input.removeAttribute("aria-invalid");
            }
        }

        for (const n of numbers) {
            showHint(n);
        }

        function press(buttons, value) {
            for (const b of buttons) {
                b.setAttribute("aria-pressed", String(b.getAttribute("data-value") === value));
            }
        }

        return {
            root: root,
            update: function (s) {
                const you = s.you;
                const colour = hex(want("color", hex(you.color)));
                const character = want("character", you.character);

                if (document.activeElement !== nameInput && !nameTimer) {
                    nameInput.value = want("name", str(you.name));
                }
                meName.textContent = nameInput.value;
                const src = characterPicture(character);
                if (src && meFace.getAttribute("src") !== src) {
                    meFace.src = src;
                }
                paint(meFace, "border-color", colour);

                // Keep my own colour and character on offer even if the list leaves them out.
                const colours = (Array.isArray(s.colors) ? s.colors : []).map(hex).filter(Boolean);
                if (colour && colours.indexOf(colour) < 0) {
                    colours.unshift(colour);
                }
                swatches.set(sig(colours, textsLang), function () {
                    return colours.map(function (c, i) {
                        const b = el("button", {
                            class: "swatch",
                            type: "button",
                            "data-value": c,
                            "aria-label": t("PhoneColorNumber", i + 1),
                            onclick: function () {
                                sendChoice("player", "color", c);
                            },
                        });
                        paint(b, "background-color", c);
                        return b;
                    });
                });
                press(swatches.node.children, colour);

                const characters = (Array.isArray(s.characters) ? s.characters : []).filter(function (n) {
                    return characterPicture(n) !== null;
                });
                if (characterPicture(character) && characters.indexOf(character) < 0) {
                    characters.unshift(character);
                }
                picks.set(sig(characters, textsLang), function () {
                    return characters.map(function (n, i) {
                        return el("button", {
                            class: "pick",
                            type: "button",
                            "data-value": String(n),
                            "aria-label": t("PhoneCharacterNumber", i + 1),
                            onclick: function () {
                                sendChoice("player", "character", n);
                            },
                        }, el("img", {src: characterPicture(n), alt: "", draggable: "false"}));
                    });
                });
                press(picks.node.children, String(character));
                press(genderButtons, want("gender", you.gender));
                press(styleButtons, want("style", you.style));

                const body = you.body && typeof you.body === "object" ? you.body : {};
                press(stomachButtons, want("stomach", body.stomach));
                for (const n of numbers) {
                    if (document.activeElement === n.input || n.timer || n.invalid) {
                        continue;
                    }
                    const value = want(n.field, body[n.field]);
                    const empty = !Number.isFinite(value) || (value <= 0 && n.field !== "strength");
                    n.input.value = empty ? "" : showNumber(n.toShown(value), s.lang);
                }
                numbers[1].unit.textContent = t("PhoneVolumeMl");
                numbers[0].unit.textContent = "%";
                numbers[2].unit.textContent = t(s.units === "imperial" ? "PhoneWeightLb" : "PhoneWeightKg");
                bodyDone.hidden = !body.complete;

                goButton.disabled = !!busy.leave;
            },
        };
    }

    // A name on its own colour, in ink or white, whichever reads: some players' colours are too
    // dark or too pale to be text on the cream.
    function nameChip(name, colour) {
        const chip = el("span", {class: "who", text: name});
        if (paint(chip, "background-color", colour)) {
            chip.style.setProperty("color", textOn(hex(colour)));
        }
        return chip;
    }

    function buildTurn(turn) {
        if (!turn || typeof turn !== "object") {
            return null;
        }
        if (turn.you) {
            return el("p", {class: "turn mine", role: "status", text: t("PhoneYourTurn")});
        }
        return el("p", {class: "turn", role: "status"}, tNode("PhoneTurnOf", nameChip(str(turn.name), turn.color)));
    }

    function buttonsOf(q) {
        return (Array.isArray(q.buttons) ? q.buttons : []).filter(function (b) {
            return b && Number.isInteger(b.index);
        });
    }

    function buildQuestion(q) {
        if (!q || typeof q !== "object") {
            return null;
        }
        const answerable = !!q.answerable;
        const panel = el("section", {class: answerable ? "panel question" : "panel question info"});
        if (!answerable) {
            panel.append(el("p", {class: "on-tv", text: t("PhoneAnswerOnTv")}));
        }
        for (const line of Array.isArray(q.texts) ? q.texts : []) {
            if (typeof line === "string" && line) {
                panel.append(el("p", {class: "qtext", text: line}));
            }
        }
        const buttons = buttonsOf(q);
        const picker = typeof q.kind === "string" && q.kind.indexOf("picker_") === 0;
        const pending = busy.answer;

        if (!answerable) {
            panel.append(el("ul", {class: "chips"}, ...buttons.map(function (b) {
                const dot = el("span", {class: "dot", "aria-hidden": "true"});
                return el("li", null,
                    img(b.picture, "mini"),
                    paint(dot, "background-color", b.color) ? dot : null,
                    el("span", {text: str(b.text)}));
            })));
            return panel;
        }

        const box = el("div", {class: picker ? "cards" : "answers"});
        for (const b of buttons) {
            const sent = !!pending && pending.key === q.id && pending.button === b.index;
            const onclick = function () {
                tap("answer", q.id, "answer", {id: q.id, button: b.index}, b.index);
            };
            let button;
            if (picker) {
                const art = el("span", {class: "art", "aria-hidden": "true"});
                const pic = img(b.picture, null);
                if (pic) {
                    art.append(pic);
                } else if (hex(b.color)) {
                    const blob = el("span", {class: "blob"});
                    paint(blob, "background-color", b.color);
                    art.append(blob);
                }
                button = el("button", {class: "card", type: "button", onclick: onclick}, art);
                if (str(b.text)) {
                    const band = el("span", {class: "label-band"}, el("span", {class: "fit", text: b.text}));
                    if (paint(band, "background-color", b.color)) {
                        band.style.setProperty("color", textOn(hex(b.color)));
                    }
                    button.append(band);
                }
                if (!str(b.text)) {
                    button.setAttribute("aria-label", t("PhoneChoiceNumber", b.index + 1));
                }
            } else {
                const pic = img(b.picture, "pic");
                button = el("button", {
                    class: (buttons.length === 1 ? "btn primary big" : "btn big") + (pic ? " has-pic" : ""),
                    type: "button",
                    onclick: onclick,
                }, pic, el("span", {class: "txt fit", text: str(b.text)}));
            }
            if (pending || closedQuestion === q.id) {
                button.disabled = true;
                if (sent) {
                    button.classList.add("sent");
                }
            }
            box.append(button);
        }
        panel.append(box);
        return panel;
    }

    function buildRoll(roll) {
        if (!roll || typeof roll !== "object" || roll.id === undefined) {
            return null;
        }
        const rolling = !!busy.roll;
        return el("div", {class: "roll-wrap"},
            el("button", {
                class: "roll",
                type: "button",
                disabled: rolling,
                onclick: function () {
                    tap("roll", roll.id, "roll", {id: roll.id});
                },
            }, el("span", {class: "die", "aria-hidden": "true"}), el("span", {text: t(rolling ? "PhoneRolling" : "PhoneRoll")})),
            el("p", {class: "caption roll-hint", text: t("PhoneRollHint")}));
    }

    function buildStats(you) {
        if (!you || typeof you !== "object") {
            return el("p", {class: "caption center", text: t("PhoneWatching")});
        }
        const panel = el("section", {class: "panel"});
        const name = el("span", {class: "name", text: str(you.name)});
        panel.append(el("div", {class: "me"}, portrait(you.character, you.color), name));
        if (you.playing === false) {
            panel.append(el("p", {class: "note", text: t("PhoneSittingOut")}));
        }
        const stats = [stat(you.sips, "PhoneSips")];
        // Water counts beside the sips once there is any, or when the player drinks water.
        if (you.water > 0 || you.style === "Water" || you.style === "Driver") {
            stats.push(stat(you.water, "PhoneWater"));
        }
        panel.append(el("div", {class: "stats"},
            ...stats, stat(you.laps, "PhoneLaps"), stat(you.challenges, "PhoneChallenges")));
        if (typeof you.bac === "string" && you.bac) {
            panel.append(el("p", {class: "bac", text: t("PhoneBac", you.bac)}),
                el("p", {class: "caption", text: t("PhoneBacNote")}));
        } else {
            panel.append(el("p", {class: "caption bac-missing", text: t("PhoneBacMissing")}));
        }
        return panel;
    }

    function stat(value, key) {
        return el("div", {class: "stat"}, el("span", {class: "what fit", text: t(key)}),
            el("span", {class: "num", text: count(value)}));
    }

    // The board: whose turn, my roll, the question on the TV, my numbers.
    function gameView() {
        const root = el("div");
        const turn = region(root);
        const question = region(root);
        const roll = region(root);
        const idle = region(root);
        const stats = region(root);
        let shownQuestion = null;
        let shownRoll = null;

        return {
            root: root,
            update: function (s) {
                const q = s.question && typeof s.question === "object" ? s.question : null;
                turn.set(sig(s.turn, textsLang), function () {
                    return buildTurn(s.turn);
                });
                const pending = busy.answer ? [busy.answer.key, busy.answer.button] : null;
                question.set(sig(q, pending, textsLang), function () {
                    return buildQuestion(q);
                });
                roll.set(sig(s.roll, !!busy.roll, textsLang), function () {
                    return buildRoll(s.roll);
                });
                idle.set(sig(!q && !s.roll && !!(s.turn && s.turn.you), textsLang), function () {
                    return !q && !s.roll && s.turn && s.turn.you ? el("p", {class: "caption center", text: t("PhoneWatchTv")}) : null;
                });
                stats.set(sig(s.you, textsLang), function () {
                    return buildStats(s.you);
                });

                // Bring something new to press into sight if the player had scrolled away.
                if (q && q.answerable && shownQuestion !== q.id) {
                    question.node.scrollIntoView({block: "nearest", behavior: "smooth"});
                } else if (s.roll && shownRoll !== s.roll.id) {
                    roll.node.scrollIntoView({block: "nearest", behavior: "smooth"});
                }
                shownQuestion = q ? q.id : null;
                shownRoll = s.roll ? s.roll.id : null;
            },
        };
    }

    function endView() {
        const root = el("div", {class: "end"});
        const line = el("p", {class: "big-line"});
        const stats = region(root);
        root.prepend(line);
        return {
            root: root,
            update: function (s) {
                line.textContent = t(s.screen === "over" ? "PhoneGameOver" : "PhoneGameClosed");
                stats.set(sig(s.you, textsLang), function () {
                    return s.you && typeof s.you === "object" ? buildStats(s.you) : null;
                });
            },
        };
    }

    // ---- Start --------------------------------------------------------------------------------

    window.addEventListener("resize", fitAll);
    if (document.fonts && document.fonts.addEventListener) {
        document.fonts.addEventListener("loadingdone", fitAll);
    }

    // The texts are asked for at once, in parallel with the first state, which names their language.
    loadTexts("?");
    render();
    connect();
})();
