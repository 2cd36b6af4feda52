// Three phones in headless Chromium play a running game through the real phone page:
//   node tests/browser/phones.mjs <joinUrl> [shotsFolder]
// Prints one JSON line to stdout ({"ok":true,...} or {"ok":false,"error":...}); progress goes to stderr.
import puppeteer from "puppeteer-core";
import fs from "node:fs";
import http from "node:http";
import path from "node:path";

const TURNS_WANTED = 20;
const OVERALL_MS = 10 * 60 * 1000;
const IDLE_MS = 90 * 1000;
const STEP_MS = 20 * 1000;          // one step of joining or setting up
const TAP_MS = 30 * 1000;           // one tap or key in the set-up form
const STATE_GAP_MS = 500;           // all phones share one address and its rate limit: fetch state rarely
const WATCH_MS = 250;               // how often the pages' DOM is read (no network)

// What a player can press right now. The page disables its buttons while a tap is in flight, so
// looking only at enabled ones keeps a tap from going out twice.
const ROLL = "button.roll:not([disabled])";
const ANSWER = "section.question:not(.info) button:not([disabled])";
const ACTION = ROLL + ", " + ANSWER;

const PLAYERS = [
    // Anna drinks, Bob drinks water and Cleo drives.
    {name: "Anna", join: 0, gender: "female", style: "Drinks", stomach: "half", strength: "5", volume: "20", weight: "60",
        expect: {strength: 50, volume: 20, weight: 60}},
    {name: "Bob", join: 1, gender: "male", style: "Water", stomach: "full", strength: "12", volume: "35", weight: "85",
        expect: {strength: 120, volume: 35, weight: 85}},
    // Typed with a comma, as a German phone would.
    {name: "Cleo", join: -1, gender: "female", style: "Driver", stomach: "empty", strength: "4,5", volume: "25", weight: "55",
        expect: {strength: 45, volume: 25, weight: 55}, restyle: true},
];

const started = Date.now();

function log(line) {
    process.stderr.write("[phones " + ((Date.now() - started) / 1000).toFixed(1).padStart(6) + "s] " + line + "\n");
}

function sleep(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
}

function short(text, n = 60) {
    const flat = String(text).replace(/\s+/g, " ").trim();
    return flat.length > n ? flat.slice(0, n - 1) + "…" : flat;
}

// Fixed seed, so a failing run can be repeated tap for tap.
function seeded(seed) {
    let a = seed >>> 0;
    return function (n) {
        a = (a + 0x6D2B79F5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return Math.floor((((t ^ (t >>> 14)) >>> 0) / 4294967296) * n);
    };
}
const pick = seeded(Number(process.env.PHONES_SEED || 20240611));

// ---- Arguments -------------------------------------------------------------------------------

const [joinArg, shotsArg] = process.argv.slice(2);
if (!joinArg) {
    process.stdout.write(JSON.stringify({ok: false, error: "usage: node phones.mjs <joinUrl> [shotsFolder]"}) + "\n");
    process.exit(1);
}
const base = new URL(joinArg);
base.search = "";
base.hash = "";
if (!base.pathname.endsWith("/")) {
    base.pathname += "/";
}
const BASE = base.href;
const shots = shotsArg ? path.resolve(shotsArg) : null;
if (shots) {
    fs.mkdirSync(shots, {recursive: true});
}

// ---- Outcome ---------------------------------------------------------------------------------

const results = {turns: 0, rolls: 0, answers: 0, reloadAnswered: false, foreignRefused: false,
    hostRefused: false, bigBodyRefused: false};
const extra = {late: 0, tooFast: 0, errorToasts: 0, notices: 0, unanswered: 0};
let outcome = null;
let finishing = false;
let lastActivity = Date.now();
let endGame;
const ended = new Promise((resolve) => {
    endGame = resolve;
});

function fail(message) {
    if (outcome) {
        return;
    }
    outcome = {ok: false, error: message};
    finishing = true;
    endGame();
}

function succeed() {
    if (outcome) {
        return;
    }
    outcome = Object.assign({ok: true}, results);
    finishing = true;
    endGame();
}

function activity() {
    lastActivity = Date.now();
}

// A failed check, as opposed to a page that was busy reloading when it was looked at.
class CheckFailed extends Error {}

// A step that names what it was doing when it fails.
async function step(what, fn) {
    try {
        return await fn();
    } catch (e) {
        throw new CheckFailed(what + ": " + String(e && e.message ? e.message : e).split("\n")[0]);
    }
}

function isTimeout(e) {
    return e && (e.name === "TimeoutError" || /\d+ ?ms exceeded/.test(String(e.message)));
}

// Errors a page gives while it reloads or after the browser is closed.
function isTransient(e) {
    return isTimeout(e) || /context was destroyed|Cannot find context|navigat|detached|Target .*closed|Session closed|has been closed|disposed/i
        .test(String(e && e.message));
}

// ---- Phones ----------------------------------------------------------------------------------

const phones = [];
const shotsTaken = new Set();

async function shot(phone, what) {
    if (!shots || shotsTaken.has(what)) {
        return;
    }
    shotsTaken.add(what);
    try {
        await phone.page.screenshot({path: path.join(shots, "phone_" + what + ".png")});
        log(phone.name + ": screenshot " + what);
    } catch (e) {
        log(phone.name + ": screenshot " + what + " failed: " + short(e.message, 80));
    }
}

function routeOf(url) {
    return url.startsWith(BASE) ? url.slice(BASE.length).split("?")[0] : null;
}

function watchNetwork(phone) {
    const {page} = phone;
    page.on("pageerror", (e) => fail(phone.name + ": script error in the page: " + short(e && e.message ? e.message : e, 200)));
    page.on("console", (message) => {
        // Refused loads are logged below with their route; anything else (CSP, say) is worth a line.
        if (message.type() === "error" && !/Failed to load resource/.test(message.text())) {
            log(phone.name + ": console: " + short(message.text(), 120));
        }
    });
    // A request that got no answer at all: the page says it cannot reach the game.
    page.on("requestfailed", (request) => {
        const route = routeOf(request.url());
        const failure = request.failure();
        if (route !== null && route !== "events" && !finishing) {
            extra.unanswered++;
            log(phone.name + ": " + request.method() + " " + (route || "(page)") + " failed: "
                + (failure ? failure.errorText : "no answer"));
        }
    });
    page.on("response", (response) => {
        const route = routeOf(response.url());
        if (route === null) {
            return;
        }
        const method = response.request().method();
        const status = response.status();
        if (method === "POST") {
            if (route !== "roll" && route !== "answer") {
                log(phone.name + ": POST " + route + " -> " + status);
            }
            if (status === 200) {
                activity();
                if (route === "roll") {
                    results.rolls++;
                } else if (route === "answer") {
                    results.answers++;
                }
            }
        }
        if (status < 400) {
            return;
        }
        if (status === 429) {
            extra.tooFast++;
            log(phone.name + ": rate limited on " + method + " " + (route || "(page)"));
        } else if (status === 409) {
            extra.late++;
            log(phone.name + ": late tap on " + route);
        } else if (status === 503) {
            log(phone.name + ": game busy on " + method + " " + route);
        } else if (status === 403 && phone.expect403) {
            // The deliberate foreign answer; judged where it is sent.
        } else {
            fail(phone.name + ": " + method + " " + (route || "(page)") + " was answered " + status);
        }
    });
}

// Each phone has a browser context of its own, so its own cookie.
async function newPhone(browser, index) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true});
    // A British phone: navigator.language, Intl and Accept-Language alike. The session has to stay
    // open for the overrides to last.
    const session = await page.createCDPSession();
    await session.send("Emulation.setLocaleOverride", {locale: "en-GB"});
    await session.send("Emulation.setUserAgentOverride", {userAgent: await browser.userAgent(), acceptLanguage: "en-GB"});
    const phone = Object.assign({index: index, page: page, session: session, expect403: false, snap: null,
        toastsSeen: new Set()}, PLAYERS[index]);
    watchNetwork(phone);
    return phone;
}

// The phone's own state, asked for from inside its page (so with its cookie). Spaced out for the
// shared rate limit.
let nextStateAt = 0;
async function fetchState(phone) {
    const now = Date.now();
    const at = Math.max(now, nextStateAt);
    nextStateAt = at + STATE_GAP_MS;
    if (at > now) {
        await sleep(at - now);
    }
    return phone.page.evaluate(async () => {
        const response = await fetch("state", {cache: "no-store"});
        return response.ok ? response.json() : {status: response.status};
    });
}

// Where a tap on the nth match of the selector lands, once it can take one: shown, enabled, in view
// (scrolled there if need be, as a finger would), standing still since the last frame and not covered
// by anything. Null while it cannot. Runs in the page.
function tapPoint(selector, nth) {
    const node = document.querySelectorAll(selector)[nth];
    if (!node || node.disabled) {
        return null;
    }
    let rect = node.getBoundingClientRect();
    if (!rect.width || !rect.height || getComputedStyle(node).visibility === "hidden") {
        return null;
    }
    if (rect.top < 0 || rect.left < 0 || rect.bottom > innerHeight || rect.right > innerWidth) {
        node.scrollIntoView({block: "center", inline: "center", behavior: "instant"});
        rect = node.getBoundingClientRect();
    }
    // The game view scrolls a new question into sight smoothly: wait until it has come to rest.
    const mark = Symbol.for("phones.lastRect");
    const where = [rect.left, rect.top, rect.width, rect.height].join(" ");
    const before = node[mark];
    node[mark] = where;
    if (before !== where) {
        return null;
    }
    const x = rect.left + rect.width / 2;
    const y = rect.top + rect.height / 2;
    const hit = document.elementFromPoint(x, y);
    return hit && (hit === node || node.contains(hit)) ? {x: x, y: y} : null;
}

// A finger on the nth match of the selector, once there is one to tap.
async function tapOn(page, selector, timeout, nth = 0) {
    let point;
    try {
        const found = await page.waitForFunction(tapPoint, {timeout: timeout, polling: "raf"}, selector, nth);
        point = await found.jsonValue();
        await found.dispose();
    } catch (e) {
        if (!isTimeout(e)) {
            throw e;
        }
        const late = new Error("nothing to tap at " + selector + (nth ? " #" + nth : "") + " within " + timeout + " ms");
        late.name = "TimeoutError";
        throw late;
    }
    await page.touchscreen.tap(point.x, point.y);
}

// Scrolls an element to the middle of the screen unless it is in sight already.
async function reveal(page, selector) {
    await page.$eval(selector, (node) => {
        const rect = node.getBoundingClientRect();
        if (rect.top < 0 || rect.bottom > innerHeight) {
            node.scrollIntoView({block: "center", inline: "center", behavior: "instant"});
        }
    });
}

// Types like a person: focus, clear, type, Enter (which the page treats as "done").
async function typeInto(page, selector, text) {
    await tapOn(page, selector, TAP_MS);
    await page.focus(selector);
    await page.keyboard.down("Control");
    await page.keyboard.press("KeyA", {commands: ["selectAll"]});
    await page.keyboard.up("Control");
    await page.keyboard.press("Backspace");
    await page.keyboard.type(text, {delay: 25});
    await page.keyboard.press("Enter");
}

// ---- Lobby -----------------------------------------------------------------------------------

async function join(phone, before) {
    const {page, name} = phone;
    await step(name + ": open the join page", async () => {
        await page.goto(BASE, {waitUntil: "domcontentloaded"});
        await page.waitForSelector("ul.rows > li", {visible: true, timeout: STEP_MS});
    });
    // The rows the earlier phones took must show as taken, under their new names, without a reload.
    await step(name + ": join list shows " + (before.map((p) => p.name).join(", ") || "two free rows"), async () => {
        await page.waitForFunction((taken) => {
            const rows = document.querySelectorAll("ul.rows > li");
            if (rows.length < 2) {
                return false;
            }
            return taken.every((want) => {
                const row = rows[want.row];
                return row && row.querySelector(".seat.taken") && row.querySelector(".name").textContent === want.name;
            }) && rows.length - taken.length === document.querySelectorAll("ul.rows button.seat:not([disabled])").length;
        }, {timeout: STEP_MS}, before.map((p) => ({row: p.row, name: p.name})));
    });
    if (phone.index === 2) {
        await shot(phone, "join");
    }
    // A new row comes after the others.
    phone.expectRow = phone.join >= 0 ? phone.join : await page.$$eval("ul.rows > li", (rows) => rows.length);
    // The list is drawn again when the texts arrive: a tap on a row that was just replaced goes nowhere,
    // so a tap that brought no join request is made again.
    const target = phone.join < 0 ? "button.plus" : "ul.rows > li:nth-child(" + (phone.join + 1) + ") > button.seat";
    let sent = false;
    const watch = (request) => {
        sent = sent || (request.method() === "POST" && request.url().endsWith("/join"));
    };
    page.on("request", watch);
    for (let attempt = 1; !sent; attempt++) {
        await step(name + ": tap " + (phone.join < 0 ? "'add me'" : "row " + phone.join), async () => {
            await tapOn(page, target, STEP_MS);
        });
        for (const until = Date.now() + 1000; !sent && Date.now() < until;) {
            await new Promise((resolve) => setTimeout(resolve, 50));
        }
        if (!sent && attempt >= 5) {
            throw new CheckFailed(name + ": five taps on the join list sent no join");
        }
    }
    page.off("request", watch);
    try {
        await page.waitForSelector("#f-name", {visible: true, timeout: STEP_MS});
    } catch (e) {
        throw new CheckFailed(name + ": the join was accepted but the page stayed on the join list"
            + " (its event stream never brought this phone's own state)");
    }
    log(name + ": joined");
    // The set-up view asks for every character's picture at once; typing into that burst would
    // only meet the shared rate limit.
    await page.waitForFunction(() => [...document.images].every((img) => img.complete), {timeout: 10000})
        .catch(() => log(name + ": pictures still loading"));
    if (phone.index === 0) {
        await shot(phone, "joined");
    }
}

// Fills the set-up form by taps and typing, then waits until the game has taken every value.
async function setUp(phone, others) {
    const {page, name} = phone;
    const want = {row: phone.expectRow, name: name, gender: phone.gender, style: phone.style, stomach: phone.stomach};
    Object.assign(want, phone.expect);
    for (let attempt = 1; ; attempt++) {
        await step(name + ": fill in the set-up form", async () => {
            await typeInto(page, "#f-name", name);
            await tapOn(page, 'button.toggle[data-value="' + phone.gender + '"]', TAP_MS);
            await tapOn(page, 'button.toggle[data-value="' + phone.style + '"]', TAP_MS);
            if (phone.restyle) {
                // A colour and a character nobody else has, picked from what the page offers.
                const offered = await page.evaluate(() => ({
                    colors: [...document.querySelectorAll(".swatches button.swatch")].map((b) => b.dataset.value),
                    characters: [...document.querySelectorAll(".picks button.pick")].map((b) => Number(b.dataset.value)),
                }));
                const colors = offered.colors.filter((c) => !others.some((o) => o.color === c) && c !== phone.color);
                const characters = offered.characters.filter((c) => !others.some((o) => o.character === c) && c !== phone.character);
                if (!colors.length || !characters.length) {
                    throw new CheckFailed("no other colour or character on offer: " + JSON.stringify(offered));
                }
                want.color = colors[colors.length - 1];
                want.character = characters[characters.length - 1];
                await tapOn(page, '.swatches button.swatch[data-value="' + want.color + '"]', TAP_MS);
                await tapOn(page, '.picks button.pick[data-value="' + want.character + '"]', TAP_MS);
            }
            await tapOn(page, 'button.toggle[data-value="' + phone.stomach + '"]', TAP_MS);
            await typeInto(page, "#f-strength", phone.strength);
            await typeInto(page, "#f-volume", phone.volume);
            await typeInto(page, "#f-weight", phone.weight);
        });
        if (phone.index === 2) {
            await reveal(page, "#f-name");
            await shot(phone, "setup");
        }
        const you = await confirmed(phone, want);
        if (you.ok) {
            Object.assign(phone, {row: you.you.row, color: you.you.color, character: you.you.character});
            break;
        }
        // A tap refused for the shared rate limit is lost; the page says so and the player taps again.
        if (attempt >= 3 || extra.tooFast === 0) {
            throw new CheckFailed(name + ": the game did not take the set-up form: " + you.diff);
        }
        log(name + ": set-up not taken yet (" + you.diff + "), filling in again");
    }
    await step(name + ": the page shows the body data complete", () =>
        page.waitForSelector("p.done", {visible: true, timeout: STEP_MS}));
    if (phone.index === 2) {
        await reveal(page, "p.done");
        await shot(phone, "body");
    }
    log(name + ": set up as row " + phone.row + ", colour " + phone.color + ", character " + phone.character);
}

// Waits until the game's state for this phone holds what was typed and tapped.
async function confirmed(phone, want) {
    const until = Date.now() + 15000;
    let diff = "";
    while (Date.now() < until) {
        const s = await fetchState(phone);
        const you = s && s.you;
        if (you && you.body) {
            const got = {row: you.row, name: you.name, gender: you.gender, style: you.style, stomach: you.body.stomach, strength: you.body.strength,
                volume: you.body.volume, weight: you.body.weight, color: you.color, character: you.character};
            const wrong = Object.keys(want).filter((k) => got[k] !== want[k]);
            if (!wrong.length && you.body.complete === true) {
                return {ok: true, you: you};
            }
            diff = wrong.map((k) => k + " " + JSON.stringify(got[k]) + " not " + JSON.stringify(want[k])).join(", ")
                || "body not complete";
        } else {
            diff = "no player in the state " + short(JSON.stringify(s), 120);
        }
        await sleep(1000);
    }
    return {ok: false, diff: diff};
}

// ---- Playing ---------------------------------------------------------------------------------

async function readQuestion(page) {
    return page.evaluate(() => {
        const panel = document.querySelector("section.question:not(.info)");
        if (!panel) {
            return null;
        }
        return {
            texts: [...panel.querySelectorAll(".qtext")].map((n) => n.textContent),
            buttons: [...panel.querySelectorAll("button")].map((b) => b.textContent || b.getAttribute("aria-label") || ""),
        };
    });
}

function sameQuestion(a, b) {
    return !!a && !!b && JSON.stringify(a) === JSON.stringify(b);
}

function postFrom(page, route) {
    const waiting = page.waitForResponse((r) => r.request().method() === "POST" && routeOf(r.url()) === route,
        {timeout: 15000});
    waiting.catch(() => {});
    return waiting;
}

async function roll(phone) {
    const {page, name} = phone;
    await shot(phone, "roll");
    const answered = postFrom(page, "roll");
    try {
        await tapOn(page, ROLL, 3000);
    } catch (e) {
        if (isTransient(e)) {
            return; // the roll went away before the tap
        }
        throw e;
    }
    const response = await answered.catch(() => null);
    log(name + ": rolled -> " + (response ? response.status() : "no answer"));
    if (response && response.status() === 200) {
        // Wait for the game's next state to take the button away, so it is not tapped twice.
        await page.waitForFunction(() => !document.querySelector("button.roll"), {timeout: 6000}).catch(() => {});
    }
}

// Taps answer button `which` (or a seeded random one); resolves to the status of the POST, 0 if
// the question went away before the tap.
async function answer(phone, question, which) {
    const {page, name} = phone;
    const count = await page.$$eval(ANSWER, (buttons) => buttons.length);
    if (!count) {
        return 0;
    }
    const i = which === undefined ? pick(count) : which;
    const answered = postFrom(page, "answer");
    try {
        await tapOn(page, ANSWER, 3000, i);
    } catch (e) {
        if (isTransient(e)) {
            return 0;
        }
        throw e;
    }
    const response = await answered.catch(() => null);
    const status = response ? response.status() : 0;
    log(name + ": answered \"" + short(question.texts.join(" "), 40) + "\" with \"" + short(question.buttons[i] || "?", 20)
        + "\" -> " + status);
    // After a late tap (another phone was first to answer a question for the whole group) the page
    // offers the buttons again until the game's next state comes: wait for that too, not tap again.
    if (status === 200 || status === 409) {
        await page.waitForFunction((before) => {
            const panel = document.querySelector("section.question:not(.info)");
            const now = panel ? [...panel.querySelectorAll(".qtext")].map((n) => n.textContent) : null;
            return JSON.stringify(now) !== JSON.stringify(before);
        }, {timeout: 6000}, question.texts).catch(() => {});
    }
    return status;
}

// Answers and insists on a 200: for the answers the checks are about.
async function answerSurely(phone, question, what) {
    for (let attempt = 0; attempt < 3; attempt++) {
        const status = await answer(phone, question, 0);
        if (status === 200) {
            return;
        }
        if (status !== 429) {
            throw new CheckFailed(what + ": the answer was refused with " + status);
        }
        await phone.page.waitForSelector(ANSWER, {visible: true, timeout: 6000});
    }
    throw new CheckFailed(what + ": the answer was rate limited three times");
}

// Whether an open question is the phone's own or the whole group's (double stakes, the blood-alcohol
// warning), which every phone may answer and so the first to tap wins: as another phone sees it.
// "gone" when it closed meanwhile.
async function whoseQuestion(q, other) {
    const seen = (await fetchState(other)).question;
    if (!seen || seen.id !== q.id) {
        return "gone";
    }
    return seen.answerable ? "group" : "own";
}

// Answers as any player would, unless the question has gone while the states were asked for (the
// others may have answered it; the next one is the play loop's).
async function answerIfStill(phone, question) {
    if (sameQuestion(question, await readQuestion(phone.page))) {
        await answer(phone, question);
    }
}

// Phone 2 reloads with its question open: the question must come back and be answerable there.
async function reloadCheck(phone, question) {
    const {page, name} = phone;
    const before = await fetchState(phone);
    if (!before.question || !before.question.answerable) {
        return; // closed meanwhile; try with the next one
    }
    const whose = await whoseQuestion(before.question, phones[0]);
    if (whose !== "own") {
        if (whose === "group") {
            log(name + ": question " + before.question.id + " is the whole group's, not one to reload with");
            await answerIfStill(phone, question);
        }
        return;
    }
    log(name + ": reloading with question " + before.question.id + " open");
    await step(name + ": reload", () => page.reload({waitUntil: "domcontentloaded"}));
    try {
        await page.waitForSelector(ANSWER, {visible: true, timeout: STEP_MS});
    } catch (e) {
        throw new CheckFailed(name + ": question " + before.question.id + " (\"" + short(question.texts.join(" "), 60)
            + "\") did not come back after the reload");
    }
    const after = await readQuestion(page);
    if (!sameQuestion(question, after)) {
        throw new CheckFailed(name + ": after the reload the page shows another question: "
            + JSON.stringify(after) + " instead of " + JSON.stringify(question));
    }
    const state = await fetchState(phone);
    if (!state.question || state.question.id !== before.question.id) {
        throw new CheckFailed(name + ": after the reload the open question is " + JSON.stringify(state.question && state.question.id)
            + ", not " + before.question.id);
    }
    await shot(phone, "reload");
    await answerSurely(phone, after, name + " after the reload");
    results.reloadAnswered = true;
    log(name + ": question came back after the reload and was answered there");
}

// Phone 3 tries to answer phone 1's open question: refused with 403, and phone 1 still can.
async function foreignCheck(phone, question) {
    const state = await fetchState(phone);
    const q = state.question;
    if (!q || !q.answerable || !Array.isArray(q.buttons) || !q.buttons.length) {
        return;
    }
    const thief = phones[2];
    const whose = await whoseQuestion(q, thief);
    if (whose !== "own") {
        if (whose === "group") {
            log(phone.name + ": question " + q.id + " is the whole group's, " + thief.name + " may answer it too");
            await answerIfStill(phone, question);
        }
        return;
    }
    let status = 0;
    thief.expect403 = true;
    try {
        for (let attempt = 0; attempt < 3; attempt++) {
            status = await thief.page.evaluate(async (body) => {
                const response = await fetch("answer", {method: "POST", headers: {"Content-Type": "application/json"},
                    body: JSON.stringify(body)});
                return response.status;
            }, {id: q.id, button: q.buttons[0].index});
            if (status !== 429) {
                break;
            }
            await sleep(1000);
        }
    } finally {
        thief.expect403 = false;
    }
    if (status !== 403) {
        throw new CheckFailed(thief.name + " answering " + phone.name + "'s question " + q.id + " got " + status + ", not 403");
    }
    log(thief.name + ": answering " + phone.name + "'s question was refused (403)");
    results.foreignRefused = true;
    // A 409 here would mean the foreign answer had counted after all.
    await answerSurely(phone, question, phone.name + " after the foreign answer");
}

async function play(phone) {
    const {page} = phone;
    while (!finishing) {
        try {
            await page.waitForSelector(ACTION, {visible: true, timeout: 1000});
        } catch (e) {
            if (isTransient(e)) {
                continue;
            }
            throw e;
        }
        if (finishing) {
            break;
        }
        try {
            if (await page.$(ROLL)) {
                await roll(phone);
                continue;
            }
            const question = await readQuestion(page);
            if (!question) {
                continue;
            }
            await shot(phone, "question");
            if (phone.index === 1 && !results.reloadAnswered) {
                await reloadCheck(phone, question);
            } else if (phone.index === 0 && !results.foreignRefused) {
                await foreignCheck(phone, question);
            } else {
                await answer(phone, question);
            }
        } catch (e) {
            if (finishing) {
                break;
            }
            if (!(e instanceof CheckFailed) && isTransient(e)) {
                continue;
            }
            throw e;
        }
    }
}

// ---- Requests no phone would send ------------------------------------------------------------

function rawRequest(method, route, headers, body) {
    return new Promise((resolve) => {
        const request = http.request({
            host: base.hostname, port: base.port || 80, method: method, path: base.pathname + route,
            headers: headers, agent: false, timeout: 10000,
        }, (response) => {
            response.resume();
            response.on("end", () => resolve({status: response.statusCode}));
            response.on("error", () => resolve({status: response.statusCode}));
        });
        request.on("timeout", () => request.destroy(new Error("timeout")));
        request.on("error", (e) => resolve({error: e.code || e.message}));
        request.end(body);
    });
}

async function withRetryOn429(fn) {
    for (let attempt = 0; ; attempt++) {
        const result = await fn();
        if (result.status !== 429 || attempt >= 3) {
            return result;
        }
        await sleep(1000);
    }
}

async function hostile() {
    const foreign = await withRetryOn429(() => rawRequest("GET", "", {Host: "attacker.example"}));
    if (!(foreign.status >= 400 && foreign.status < 500)) {
        throw new CheckFailed("a request with Host attacker.example got " + (foreign.status || foreign.error));
    }
    results.hostRefused = true;
    log("foreign Host header refused (" + foreign.status + ")");

    const big = "{\"id\":1,\"button\":0,\"pad\":\"" + "x".repeat(1024 * 1024 - 32) + "\"}";
    const sent = await withRetryOn429(() => rawRequest("POST", "answer",
        {"Content-Type": "application/json", "Content-Length": Buffer.byteLength(big)}, big));
    const closed = sent.error === "ECONNRESET" || sent.error === "EPIPE";
    if (sent.status !== 413 && !closed) {
        throw new CheckFailed("a 1 MB answer got " + (sent.status || sent.error) + ", not 413");
    }
    results.bigBodyRefused = true;
    log("1 MB body refused (" + (sent.status || sent.error) + ")");
}

// ---- Watching the pages ----------------------------------------------------------------------

function snapshot(page) {
    return page.evaluate(() => {
        const turn = document.querySelector("#app p.turn");
        const who = turn && turn.querySelector(".who");
        return {
            turn: turn ? {mine: turn.classList.contains("mine"), who: who ? who.textContent : null} : null,
            app: (document.getElementById("app") || document.body).innerText,
            toasts: [...document.querySelectorAll("#toasts .toast")].map((n) => ({text: n.textContent, error: n.classList.contains("error")})),
            end: !!document.querySelector("#app .end"),
            info: !!document.querySelector("section.question.info"),
        };
    });
}

let hostileTurn = -1;
let lastTurn = null;
let waitingSaid = false;

function missing() {
    return ["reloadAnswered", "foreignRefused", "hostRefused", "bigBodyRefused"].filter((k) => !results[k]);
}

async function watch() {
    while (!finishing) {
        await sleep(WATCH_MS);
        for (const phone of phones) {
            let snap;
            try {
                snap = await snapshot(phone.page);
            } catch (e) {
                continue; // reloading
            }
            if (!phone.snap || phone.snap.app !== snap.app) {
                activity();
            }
            phone.snap = snap;
            for (const toast of snap.toasts) {
                if (!phone.toastsSeen.has(toast.text)) {
                    phone.toastsSeen.add(toast.text);
                    log(phone.name + ": " + (toast.error ? "error line" : "notice") + " \"" + short(toast.text) + "\"");
                    if (toast.error) {
                        extra.errorToasts++;
                    } else {
                        extra.notices++;
                        await shot(phone, "notice");
                    }
                }
            }
            if (snap.info) {
                await shot(phone, "info");
            }
            if (snap.end && !finishing) {
                fail(phone.name + ": the game ended after " + results.turns + " turns, still missing: " + (missing().join(", ") || "turns"));
                return;
            }
        }
        // Whose turn it is, from the first phone that shows one (phone 2 may be reloading).
        for (const phone of [phones[0], phones[2], phones[1]]) {
            const turn = phone.snap && phone.snap.turn;
            if (!turn) {
                continue;
            }
            const who = turn.mine ? phone.name : turn.who;
            if (who && who !== lastTurn) {
                lastTurn = who;
                results.turns++;
                activity();
                log("turn " + results.turns + ": " + who);
            }
            break;
        }
        if (results.turns >= 2 && hostileTurn < 0) {
            hostileTurn = results.turns;
            hostile().catch((e) => fail(e.message));
        }
        if (results.turns >= TURNS_WANTED && !missing().length && results.turns >= hostileTurn + 3) {
            succeed();
            return;
        }
        if (results.turns >= TURNS_WANTED && !waitingSaid) {
            waitingSaid = true;
            log(TURNS_WANTED + " turns seen; still waiting for " + missing().join(", "));
        }
        if (Date.now() - lastActivity > IDLE_MS) {
            fail("nothing happened for " + IDLE_MS / 1000 + " s after " + results.turns + " turns");
            return;
        }
    }
}

// ---- Main ------------------------------------------------------------------------------------

async function run(browser) {
    for (let i = 0; i < PLAYERS.length; i++) {
        phones.push(await newPhone(browser, i));
    }
    // One phone after the other: here all three share one address and so one rate limit, which
    // real phones on the Wi-Fi do not. Each later phone sees the lobby the earlier ones changed.
    for (const phone of phones) {
        const before = phones.slice(0, phone.index);
        await join(phone, before);
        await setUp(phone, before);
        activity();
        if (phone.index === 0) {
            await phone.page.evaluate(() => window.scrollTo(0, 0));
            await shot(phone, "waiting");
        }
    }

    // The TV starts the game on this line (standard output), so that it never cuts a check short.
    process.stdout.write(JSON.stringify({ready: true}) + "\n");
    log("waiting for the TV to start the game");
    await Promise.all(phones.map((phone) => step(phone.name + ": the game starts", async () => {
        await phone.page.waitForSelector("#app p.turn", {visible: true, timeout: IDLE_MS});
        // The body data went through to the game: the estimate is shown, under the phone's name.
        await phone.page.waitForSelector("#app p.bac", {visible: true, timeout: STEP_MS});
        const shown = await phone.page.$eval("#app .panel .me .name", (node) => node.textContent);
        if (shown !== phone.name) {
            throw new CheckFailed("the game shows the player as \"" + shown + "\"");
        }
    })));
    log("game started");
    activity();
    for (const phone of phones) {
        play(phone).catch((e) => fail(e.message || String(e)));
    }
    await watch();
}

async function context() {
    const pages = [];
    for (const phone of phones) {
        let text = "";
        try {
            text = await Promise.race([
                phone.page.evaluate(() => document.body.innerText),
                sleep(3000).then(() => "(no answer from the page)"),
            ]);
        } catch (e) {
            text = "(" + short(e.message, 80) + ")";
        }
        pages.push({phone: phone.name, url: phone.page.url(), text: short(text, 1500)});
    }
    return pages;
}

let browser;
try {
    browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        headless: true,
        defaultViewport: null,  // each phone sets its own
        args: ["--no-sandbox", "--disable-gpu"],
    });
} catch (e) {
    process.stdout.write(JSON.stringify({ok: false, error: "chromium did not start: " + short(e.message, 300)}) + "\n",
        () => process.exit(1));
    await new Promise(() => {});
}
log("chromium " + (await browser.version()).replace(/^.*\//, "") + ", game at " + BASE);
const overall = setTimeout(() => fail("timed out after " + OVERALL_MS / 60000 + " minutes, "
    + results.turns + " turns, still missing: " + (missing().join(", ") || "turns")), OVERALL_MS);
// Lobby steps have their own limits; this catches a game that never starts or stalls.
const idle = setInterval(() => {
    if (Date.now() - lastActivity > IDLE_MS + STEP_MS) {
        fail("nothing happened for " + (IDLE_MS + STEP_MS) / 1000 + " s");
    }
}, 1000);
run(browser).catch((e) => fail(e.message || String(e)));
await ended;
clearTimeout(overall);
clearInterval(idle);

const report = Object.assign({}, outcome);
if (!report.ok) {
    report.turns = results.turns;
    report.pages = await context();
    for (const page of report.pages) {
        log("--- " + page.phone + " (" + page.url + "):\n" + page.text);
    }
}
log("done: " + results.turns + " turns, " + results.rolls + " rolls, " + results.answers + " answers, "
    + extra.late + " late taps, " + extra.tooFast + " rate limited, " + extra.errorToasts + " error lines, "
    + extra.notices + " notices, " + extra.unanswered + " requests unanswered");
await Promise.race([browser.close(), sleep(5000)]);
process.stdout.write(JSON.stringify(report) + "\n", () => process.exit(report.ok ? 0 : 1));
