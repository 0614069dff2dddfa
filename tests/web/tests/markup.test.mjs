// Teacher text is HTML on purpose: on every page kind and in every place it
// lands, markup stays markup (a drawing, a table, a video's iframe, a select
// list of the teacher's own), while a comment, a table or a script element
// left open no longer hides the rest of the page or takes it in.  Every
// question, select list, card, place and clue is there, nothing of the page
// is inside a teacher's element, a teacher's own control changes no score,
// Check works, no control of the page is left without a name, and no page
// scrolls sideways at 1280 or 360 pixels.  Also: pages of an exercise
// without a title, and every text of the quiz's configuration hostile at
// once.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import vm from 'node:vm';
import {
  exportMatching, exportQuiz, frameNamed, startBrowser, templatesDir, texts, watchConsole, writeMatchFile,
  writeQuizFile,
} from './helpers.mjs';
import { exportCrossword, typeWord } from './crossword-helpers.mjs';

const norm = (s) => s.replace(/\s+/g, ' ').trim();

// What each text shows where it is markup, and where it is shown as text
// only (an option, a card, a place's name): alone, and after a word (tags
// and comments out, and as typed where nothing else would be left).
const samples = [
  { text: 'Sub <!-- x', markup: 'Sub', plain: 'Sub' },
  { text: '<iframe src="about:blank"></iframe>', markup: '', plain: '<iframe src="about:blank"></iframe>', afterWord: '', element: 'iframe' },
  // A drawing without a size (300 pixels wide by default).
  { text: '<svg><circle r=5></circle></svg>', markup: '', plain: '<svg><circle r=5></circle></svg>', afterWord: '', element: 'svg' },
  // A select list of the teacher's own, and a table left open.
  { text: 'Pick <select><option>a</option><option>b</option></select> first', markup: 'Pick', plain: 'Pick a b first', element: 'select', controls: true },
  { text: '<table><tr><td>x', markup: 'x', plain: 'x', element: 'table' },
  { text: 'cat <table><tr><td>x', markup: 'cat x', plain: 'cat x', element: 'table' },
  // A script whose end tag is no end tag: no ">", a vertical tab before the
  // ">", and an end tag inside a comment inside the script.  The script is
  // closed within its text; where the page holds the text as markup it runs,
  // and fails, being cut short.
  { text: 'Intro <script>var a=1;</script', markup: 'Intro', plain: 'Intro', script: true },
  { text: 'Intro <script>var a=1;</script\x0B>', markup: 'Intro', plain: 'Intro', script: true },
  { text: 'Intro <script><!--<script></script>-->', markup: 'Intro', plain: 'Intro', script: true },
  { text: '</script><!-- x', markup: '', plain: '</script><!-- x', afterWord: '' },
  { text: 'a<b', markup: 'a<b', plain: 'a<b' },
  { text: '2 < 3', markup: '2 < 3', plain: '2 < 3' },
  // Quotes, a backslash, placeholder words and a letter above 127.
  {
    text: 'It\'s "q" \\ [strGuessCorrect] [Clue] [ItemList] caf\u00e9',
    markup: 'It\'s "q" \\ [strGuessCorrect] [Clue] [ItemList] caf\u00e9',
    plain: 'It\'s "q" \\ [strGuessCorrect] [Clue] [ItemList] caf\u00e9',
  },
  { text: 'Line one\r\nline two', markup: 'Line one line two', plain: 'Line one line two' },
  // What leaves a drawing or a formula shows after it, and a line break or
  // a block's edge is a blank in plain text.
  { text: '<svg width="20" height="20"><circle cx="10" cy="10" r="5"/><p>Which shape is this?</p>', markup: 'Which shape is this?', plain: 'Which shape is this?', element: 'svg' },
  { text: '<math><mn>2</mn><p>Now solve.</p></math><svg><g></p>z</svg>', markup: '2 Now solve. z', plain: '2 Now solve. z', element: 'math' },
  { text: 'Capitals<br>of <b>Eu</b>rope<p>(1)</p>', markup: 'Capitals of Europe (1)', plain: 'Capitals of Europe (1)' },
  // Hidden text (a frame's fallback, a box's and raw text) is in no title
  // and no name.
  {
    text: 'Video <iframe>Your browser cannot show videos.</iframe> <textarea>box</textarea> <xmp>raw</xmp>',
    markup: 'Video raw', plain: 'Video', controls: true,
  },
  // Markup that asks for more than a phone's width.
  {
    text: `Wide <pre>${'w '.repeat(50)}</pre> <textarea cols=80></textarea> <input size=90> <canvas width=900 height=20></canvas> `
      + `<nobr>${'n '.repeat(50)}</nobr> <table><tr><td nowrap>${'t '.repeat(50)}</td></tr></table>`,
    markup: norm(`Wide ${'w '.repeat(50)} ${'n '.repeat(50)} ${'t '.repeat(50)}`),
    plain: norm(`Wide ${'w '.repeat(50)} ${'n '.repeat(50)} ${'t '.repeat(50)}`),
    controls: true,
  },
];

// Texts that a page around them once changed, or whose ids and names the
// page's scripts found instead of their own: a list item and a heading
// where the page has a list item or a heading, the page's ids, names of
// document's properties, an address for every link, and a frameset's end
// tag in raw text.
const placeSamples = [
  { text: '<li>France', markup: 'France', plain: 'France' },
  { text: '<h2>Pets</h2>', markup: 'Pets', plain: 'Pets' },
  {
    text: '<span id=G1>g</span> <i id=Guess>i</i> <b id=CheckButton>c</b> <a id=help href=#help>h</a> <span id=GridHolder>o</span> '
      + '<span id=Score>s</span> <span id=PopupText>p</span> <sup id=F1>1</sup> <span id=Q1>q</span> '
      + '<img name=getElementById alt=""> <object id=createElement></object> <form name=body>f</form> <form name=forms>d</form>',
    markup: 'g i c h o s p 1 q f d', plain: 'g i c h o s p 1 q f d',
  },
  { text: 'Base<base href="http://example.invalid/"><meta http-equiv="refresh" content="0; url=http://example.invalid/">', markup: 'Base', plain: 'Base' },
  { text: 'Raw <xmp></noframes><frame src="about:blank"></xmp> end', markup: 'Raw </noframes><frame src="about:blank"> end', plain: 'Raw end' },
];

// The configuration's texts on every page.
const checkCaption = 'Check "it"';
const rightText = 'Right "so" it\'s \\ </script>';
const rightShown = 'Right "so" it\'s \\';

// A quiz data file: the title, [question, answer] pairs and a typed reading.
const quizFile = (title, questions, reading = { title: '', text: '' }) => writeQuizFile(title, questions, reading);

// The texts of each sample's exercise: the first item holds the text alone,
// the second after a word of its own, the third is plain.
const questionsOf = (s) => [[s.text, s.text], [`2 ${s.text}`, `2 ${s.text}`], ['three', '3']];
const pairsOf = (s) => [[s.text, s.text, false], [`2 ${s.text}`, `R2 ${s.text}`, false], ['three', 'R3', false]];
const markupOf = (s) => [s.markup, norm(`2 ${s.markup}`), 'three'];
const plainAfter = (word, s) => norm(`${word} ${s.afterWord ?? s.plain}`);

// Checks every element of the selector: it shows the expected text (in
// order) and, for markup, holds the element.
async function expectShown(frame, selector, expected, s, where) {
  const found = await frame.locator(selector).evaluateAll((els, tag) => els.map((e) => ({
    text: e.innerText.replace(/\s+/g, ' ').trim(),
    has: !tag || !!e.querySelector(tag),
  })), s.element);
  assert.equal(found.length, expected.length, `${where}: ${selector} count`);
  found.forEach((f, i) => {
    assert.ok(f.text.startsWith(expected[i]), `${where}: ${selector} #${i + 1} shows "${f.text}", not "${expected[i]}"`);
    if (expected[i] !== 'three') assert.ok(f.has, `${where}: ${selector} #${i + 1} holds no <${s.element}>`);
  });
}

// Controls without an accessible name (a teacher's own control may have
// none), and names that glue the lines of a text, in a frame.
async function expectNamed(frame, where, s = {}) {
  const tree = await frame.locator('body').ariaSnapshot();
  const nameless = tree.split('\n').filter((l) => /^\s*- (button|textbox|combobox|link|checkbox|radio|spinbutton)(?= \[|:|$)/.test(l));
  if (!s.controls) assert.deepEqual(nameless, [], `${where}: controls without a name`);
  assert.doesNotMatch(tree, /oneline/i, `${where}: a line break reads as a blank`);
  const title = await frame.evaluate(() => document.title);
  assert.notEqual(norm(title), '', `${where}: page title`);
  assert.doesNotMatch(title, /oneline/i, `${where}: page title`);
}

// The title of the page in the browser's tab: the exercise's title as text
// only, as an option or a card shows it (no script's code); the kind's word
// where the title is markup alone.
async function expectTitled(page, s, word) {
  const title = norm(await page.title());
  assert.equal(title, s.afterWord === '' ? word : s.plain, 'the title in the tab');
}

// Nothing of the page inside the places of a frame that hold teacher text
// (the samples' elements have no class and no id but their own, written
// with a prefix; the page's have), and no id of the page twice in the frame
// (a clue or question copied carries none of the page's).
async function expectApart(frame, places, where, s = {}) {
  const teacherIds = [...(s.text || '').matchAll(/\bid=(\w+)/g)].map((m) => m[1]);
  const found = await frame.evaluate(([selector, own]) => {
    const teachers = (e) => !e.className && own.some((id) => e.id !== id && e.id.endsWith(id));
    const inside = [];
    for (const place of document.querySelectorAll(selector)) {
      for (const e of place.querySelectorAll('[id], [class]')) {
        if (!teachers(e)) inside.push(`${place.id || place.className} holds ${e.tagName.toLowerCase()}#${e.id}.${e.className}`);
      }
    }
    const ids = [...document.querySelectorAll('[id]')].filter((e) => !teachers(e)).map((e) => e.id);
    return { inside, twice: ids.filter((id, i) => ids.indexOf(id) !== i) };
  }, [places, teacherIds]);
  assert.deepEqual(found.inside, [], `${where}: the page inside a teacher's text`);
  assert.deepEqual(found.twice, [], `${where}: ids given twice`);
}

// A student plays with the teacher's own controls in the places of a frame:
// each select list takes its last option.
async function useTeacherControls(frame, places) {
  await frame.evaluate((selector) => {
    for (const select of document.querySelectorAll(selector.split(',').map((p) => `${p} select`).join(','))) {
      select.selectedIndex = select.options.length - 1;
      select.dispatchEvent(new Event('change', { bubbles: true }));
    }
  }, places);
}

// No frame of the page scrolls sideways, at 1280 pixels and on a phone.
async function expectNoSideScroll(page, where) {
  const wide = [];
  for (const width of [1280, 360]) {
    await page.setViewportSize({ width, height: width === 360 ? 740 : 800 });
    await page.waitForTimeout(300);
    for (const frame of page.frames()) {
      const [scroll, inner] = await frame.evaluate(() => [document.documentElement.scrollWidth, innerWidth]);
      if (scroll > inner) wide.push(`${width}, ${frame.name() || 'page'}: ${scroll} > ${inner}`);
    }
  }
  await page.setViewportSize({ width: 1280, height: 800 });
  assert.deepEqual(wide, [], `${where}: scrolls sideways`);
}

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

// The texts both matching pages show from the exercise and the configuration.
async function expectMatchingTexts(page, s) {
  await expectTitled(page, s, 'Matching exercise');
  await expectShown(page, '#ExTitle', [s.markup], s, 'title');
  await expectShown(page, '#ExSubtitle', [s.markup], s, 'subtitle');
  await expectShown(page, '#ExInstructions', [s.markup], s, 'instructions');
  await expectShown(page, '.left', markupOf(s), s, 'left items');
}

async function open(url) {
  const page = await browser.newPage();
  const problems = watchConsole(page);
  await page.goto(url);
  return { page, problems };
}

const kinds = {
  async 'quiz, frames'(s) {
    const reading = { title: s.text, text: s.text };
    const exported = exportQuiz({
      quiz: quizFile(s.text, questionsOf(s), reading), reading: 'typed', timer: 1,
      texts: { mmoQuizSubtitle: s.text, mmoWelcome: s.text, mmoInstructions: s.text, editCheck: checkCaption, editGuessCorrect: rightText },
    });
    const { page, problems } = await open(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    const welcome = await frameNamed(page, 'FeedbackFrame');
    await expectTitled(page, s, 'Quiz');
    await expectShown(code, '#Questions .qtext', markupOf(s), s, 'questions');
    await expectShown(code, '#QuizTitle', [s.markup], s, 'title');
    await expectShown(code, '.subtitle', [s.markup], s, 'subtitle');
    const places = '#QuizTitle, .subtitle, .qtext';
    await expectApart(code, places, 'code', s);
    await expectApart(welcome, '.welcometext, .instructions', 'welcome', s);
    assert.equal(await code.locator('#ReadingButton').innerText(), texts.editStartReading, 'the timed reading waits for its button');
    await useTeacherControls(code, places);
    await code.fill('#G1', norm(s.text));
    await code.press('#G1', 'Enter');
    assert.equal(norm(await code.locator('#F1').innerText()), rightShown, 'Enter checks');
    await code.fill('#G2', norm(`2 ${s.text}`));
    await code.locator(`#Q2 input[type=button][value='${checkCaption}']`).click();
    assert.equal(norm(await code.locator('#F2').innerText()), rightShown, 'Check checks');
    assert.match(await code.locator('#Score').innerText(), /: 2 \/ 3\b/);
    await expectShown(welcome, '.welcometext', [s.markup], s, 'welcome');
    await expectShown(welcome, '.instructions', [s.markup], s, 'instructions');
    assert.equal(await welcome.locator('#help').count(), 1, 'the help');
    assert.ok(await welcome.locator('.navbar input[type=button]').count() > 0, 'the buttons');
    for (const f of [code, welcome]) await expectNamed(f, f.name(), s);
    await expectNoSideScroll(page, 'frames');
    // Help opens beside the questions, and Start reading shows the reading.
    await code.getByRole('button', { name: texts.editHelp, exact: true }).click();
    await welcome.locator('section.help').waitFor({ state: 'visible', timeout: 5000 });
    await code.locator('#ReadingButton').click();
    const readingFrame = await frameNamed(page, 'ReadingFrame');
    assert.equal(readingFrame.url(), pathToFileURL(join(exported.dir, 'quizr.htm')).href, 'Start reading');
    // The reading page, opened by itself.
    await page.goto(pathToFileURL(join(exported.dir, 'quizr.htm')).href);
    await expectTitled(page, s, 'Reading');
    await expectShown(page, 'h1', [s.markup], s, 'reading title');
    await expectShown(page, '.text', [s.markup], s, 'reading text');
    await expectApart(page.mainFrame(), 'h1, .text', 'reading', s);
    await expectNamed(page.mainFrame(), 'reading', s);
    await expectNoSideScroll(page, 'reading');
    return { page, problems };
  },

  async 'quiz, single page'(s) {
    const exported = exportQuiz({
      mode: 'single', quiz: quizFile(s.text, questionsOf(s), { title: s.text, text: s.text }), reading: 'typed', timer: 0,
      texts: { mmoQuizSubtitle: s.text, mmoInstructions: s.text, editCheck: checkCaption, editGuessCorrect: rightText },
      switches: { chkShuffleQs: 0 },
    });
    const { page, problems } = await open(exported.url);
    await expectTitled(page, s, 'Quiz');
    const code = await frameNamed(page, 'CodeFrame');
    const reading = await frameNamed(page, 'ReadingFrame');
    await expectShown(code, '#ExTitle', [s.markup], s, 'title');
    await expectShown(code, '#ExSubtitle', [s.markup], s, 'subtitle');
    await expectShown(code, '#ExInstructions', [s.markup], s, 'instructions');
    const places = '#ExTitle, #ExSubtitle, #ExInstructions, #QText, #PrintList .qtext';
    const expected = markupOf(s);
    for (let i = 0; i < expected.length; i++) {
      assert.equal(await code.locator('#QNumber').innerText(), `${i + 1} / 3`);
      await expectShown(code, '#QText', [expected[i]], s, `question ${i + 1}`);
      await expectApart(code, places, `question ${i + 1}`, s);
      await expectNamed(code, `question ${i + 1}`, s);
      await useTeacherControls(code, places);
      if (i < expected.length - 1) await code.getByRole('button', { name: 'Next question' }).click();
    }
    await code.fill('#Guess', '3');
    await code.getByRole('button', { name: checkCaption, exact: true }).click();
    await code.locator('#Popup[open]').waitFor();
    assert.ok(norm(await code.locator('#PopupText').innerText()).startsWith(rightShown), 'Check checks');
    assert.match(await code.locator('#Score').innerText(), /: 1 \/ 3\b/);
    await code.getByRole('button', { name: 'OK' }).click();
    await expectShown(reading, 'h1', [s.markup], s, 'reading title');
    await expectShown(reading, '.text', [s.markup], s, 'reading text');
    await expectApart(reading, 'h1, .text', 'reading', s);
    await expectNamed(reading, 'reading', s);
    await expectNoSideScroll(page, 'single page');
    return { page, problems };
  },

  async 'matching, select lists'(s) {
    const exported = exportMatching({
      pry: writeMatchFile(pairsOf(s), { title: s.text }),
      texts: { mmoExerciseSubtitle: s.text, mmoInstructions: s.text, editCheck: checkCaption },
    });
    const { page, problems } = await open(exported.url);
    await expectMatchingTexts(page, s);
    const places = '#ExTitle, #ExSubtitle, #ExInstructions, .left';
    await expectApart(page.mainFrame(), places, 'page', s);
    const selects = page.locator('.pair > .right > select');
    assert.equal(await selects.count(), 3, 'select lists');
    const rights = [s.plain, plainAfter('R2', s), 'R3'];
    for (let i = 0; i < 3; i++) await selects.nth(i).selectOption({ label: rights[i] });
    await useTeacherControls(page.mainFrame(), places);
    await page.locator(`input[type=button][value='${checkCaption}']`).click();
    assert.match(await page.locator('#Score').innerText(), /100% \(3 \/ 3\)/);
    await expectNamed(page.mainFrame(), 'page', s);
    await expectNoSideScroll(page, 'page');
    return { page, problems };
  },

  async 'matching, drag and drop'(s) {
    const exported = exportMatching({
      mode: 'dragdrop', pry: writeMatchFile(pairsOf(s), { title: s.text }),
      texts: { mmoExerciseSubtitle: s.text, mmoInstructions: s.text, editCheck: checkCaption, editGuessCorrect: rightText },
    });
    const { page, problems } = await open(exported.url);
    await expectMatchingTexts(page, s);
    const held = '#ExTitle, #ExSubtitle, #ExInstructions, .left';
    await expectApart(page.mainFrame(), held, 'page', s);
    await useTeacherControls(page.mainFrame(), held);
    const rights = [s.plain, plainAfter('R2', s), 'R3'];
    const cards = await page.locator('.card').allInnerTexts();
    assert.deepEqual(cards.map(norm).sort(), [...rights].sort(), 'cards show their texts');
    const places = page.locator('.place');
    const lefts = [s.plain, plainAfter('2', s), 'three'];
    assert.deepEqual(await places.evaluateAll((ps) => ps.map((p) => p.getAttribute('aria-label'))),
      lefts.map((l) => `Place for: ${l}`), 'places named by their left items');
    for (let i = 0; i < 3; i++) {
      // Placed cards leave the tray: find each by its text when it is picked.
      const at = (await page.locator('.card').allInnerTexts()).map(norm).indexOf(rights[i]);
      await page.locator('.card').nth(at).click();
      await places.nth(i).click();
    }
    await page.getByRole('button', { name: checkCaption, exact: true }).click();
    await page.locator('#Popup[open]').waitFor();
    assert.equal(norm(await page.locator('#PopupText').innerText()), `${rightShown} ${texts.editYourScoreIs.trim()} 100%`);
    await expectNamed(page.mainFrame(), 'page', s);
    await page.getByRole('button', { name: 'OK' }).click();
    await expectNoSideScroll(page, 'page');
    return { page, problems };
  },
};

for (const mode of ['frames', 'single']) {
  kinds[`crossword, ${mode === 'frames' ? 'frames' : 'single page'}`] = async (s) => {
    const exported = exportCrossword({
      mode, rows: ['CAT', 'A..', 'R..'], clues: { CAT: s.text, CAR: `2 ${s.text}` }, title: s.text,
      texts: {
        mmoSubtitle: s.text, mmoInstructions: s.text, mmoWelcome: s.text, editCluesAcross: `Across ${s.text}`,
        editCheck: checkCaption, editCorrect: rightText,
      },
    });
    const { page, problems } = await open(exported.url);
    await expectTitled(page, s, 'Crossword');
    if (mode === 'frames') assert.equal(page.mainFrame().childFrames().length, 2, 'the frameset holds its two frames only');
    const code = mode === 'frames' ? await frameNamed(page, 'CodeFrame') : page.mainFrame();
    await expectShown(code, '#PuzzleTitle', [s.markup], s, 'title');
    await expectShown(code, mode === 'frames' ? '.subtitle' : '#PuzzleSubtitle', [s.markup], s, 'subtitle');
    if (mode !== 'frames') await expectShown(code, '#PuzzleInstructions', [s.markup], s, 'instructions');
    await expectShown(code, '#AcrossHead', [norm(`Across ${s.markup}`)], s, 'across heading');
    await expectShown(code, '#AcrossList .ct', [s.markup], s, 'across clue');
    await expectShown(code, '#DownList .ct', [norm(`2 ${s.markup}`)], s, 'down clue');
    const places = '#PuzzleTitle, .subtitle, #PuzzleSubtitle, #PuzzleInstructions, #AcrossHead, #DownHead, .ct, .cluetext';
    await useTeacherControls(code, places);
    await typeWord(code, 1, 'across', 'cat');
    await typeWord(code, 1, 'down', 'car');
    const current = norm(await code.locator('#CurrentClue').innerText());
    assert.ok(current.startsWith(norm(`1 down 2 ${s.markup}`)), `the current clue: "${current}"`);
    await expectApart(code, places, 'crossword', s);
    await code.getByRole('button', { name: checkCaption, exact: true }).click();
    assert.equal(norm(await code.locator('[role=status]').first().innerText()), rightShown, 'Check checks');
    await expectNamed(code, 'crossword', s);
    if (mode === 'frames') {
      const welcome = await frameNamed(page, 'FeedbackFrame');
      await expectShown(welcome, '.welcometext', [s.markup], s, 'welcome');
      await expectShown(welcome, '.instructions', [s.markup], s, 'instructions');
      await expectApart(welcome, '.welcometext, .instructions', 'welcome', s);
      await expectNamed(welcome, 'welcome', s);
    } else {
      await code.getByRole('button', { name: 'OK' }).click();
    }
    await expectNoSideScroll(page, 'crossword');
    return { page, problems };
  };
}

for (const [title, table] of [['teacher text on every page kind', samples], ['teacher text holds only itself where the page puts it', placeSamples]]) describe(title, () => {
  for (const [kind, run] of Object.entries(kinds)) {
    // The texts side by side, each in a page of its own.
    test(kind, async () => {
      await Promise.all(table.map(async (s) => {
        const { page, problems } = await run(s).catch((e) => {
          e.message = `${JSON.stringify(s.text)}: ${e.message}`;
          throw e;
        });
        // Only a teacher's script cut short fails, as a script of its own.
        const own = s.script ? problems.filter((p) => p !== "pageerror: Unexpected token '<'") : problems;
        assert.deepEqual(own, [], JSON.stringify(s.text));
        await page.close();
      }));
    });
  }
});

// Answers pasted with characters that show nothing (marks and embeddings
// of writing direction, isolates, zero-width spaces and joiners, soft
// hyphens, a byte-order mark, a variation selector) and a no-break space:
// the student types what shows, or pastes it with such characters, and
// scores 100%; the correct beginning and the hint count only what shows and
// give back the teacher's text.  A character Windows-1252 lacks is kept in
// the file as its character reference.
const invisibleAnswers = [
  ['Paris&#8207;', 'Paris'],
  ['&#8235;Tel Aviv&#8236;', 'Tel Aviv'],
  ['Donau\u00addampf\u00adschiff', 'Donaudampfschiff'],
  ['&#65279;&#8294;iso&#8297; late', 'iso late'],
  ['caf&#8205;e&#65039;', 'cafe'],
  ['no\u00a0break', 'no break'],
  ['typed', 'ty\u200bped\u200f'],
  ['zero&#8203;width', 'zerowidth'],
];
const invisibleQuiz = () => quizFile('Invisible', invisibleAnswers.map(([a], i) => [`Question ${i + 1}`, a]));
const last = invisibleAnswers.length;

describe('answers holding characters that show nothing', () => {
  test('frames: right answers score 100%, the correct beginning and the hint count what shows', async () => {
    const { page, problems } = await open(exportQuiz({ quiz: invisibleQuiz() }).url);
    const code = await frameNamed(page, 'CodeFrame');
    for (const [i, [, typed]] of invisibleAnswers.entries()) {
      await code.fill(`#G${i + 1}`, typed);
      await code.press(`#G${i + 1}`, 'Enter');
      assert.equal(norm(await code.locator(`#F${i + 1}`).innerText()), texts.editGuessCorrect, JSON.stringify(typed));
    }
    assert.match(await code.locator('#Score').innerText(), /: 100%/);
    await code.fill(`#G${last}`, 'zerx');
    await code.press(`#G${last}`, 'Enter');
    assert.equal(norm(await code.locator(`#F${last}`).innerText()), `${texts.editThisMuch} zer`);
    await code.fill(`#G${last}`, 'zero');
    await code.locator(`#Q${last} input[type=button][value='${texts.editHint}']`).click();
    assert.equal(await code.inputValue(`#G${last}`), 'zero\u200bw', 'the hint is the teacher\'s text');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page: right answers score 100%, the correct beginning and the hint count what shows', async () => {
    const { page, problems } = await open(exportQuiz({ mode: 'single', quiz: invisibleQuiz() }).url);
    const check = async (typed) => {
      await page.fill('#Guess', typed);
      await page.getByRole('button', { name: texts.editCheck, exact: true }).click();
      await page.locator('#Popup[open]').waitFor();
      const said = norm(await page.locator('#PopupText').innerText());
      await page.getByRole('button', { name: 'OK' }).click();
      return said;
    };
    for (const [i, [, typed]] of invisibleAnswers.entries()) {
      assert.ok((await check(typed)).startsWith(texts.editGuessCorrect), JSON.stringify(typed));
      if (i < last - 1) await page.getByRole('button', { name: 'Next question', exact: true }).click();
    }
    assert.match(await page.locator('#Score').innerText(), /: 100%/);
    assert.equal(await check('zerx'), `${texts.editThisMuch} zer`);
    await page.fill('#Guess', 'zero');
    await page.getByRole('button', { name: texts.editHint, exact: true }).click();
    await page.getByRole('button', { name: 'OK' }).click();
    assert.equal(await page.inputValue('#Guess'), 'zero\u200bw', 'the hint is the teacher\'s text');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

// Markup typed over several lines: the line breaks of a table make no
// blank lines, a script runs (its brackets as typed), a style applies; and
// a link to a place of the teacher's text still leads there.
describe('markup typed over several lines', () => {
  test('frames: a table adds no blank line, a script runs, a style applies, an in-text link leads to its place', async () => {
    const table = (lf) => ['<table>', '<tr><td>a</td><td>b</td></tr>', '<tr><td>c</td><td>d</td></tr>', '</table>'].join(lf);
    const quiz = quizFile('Lines', [
      [table(''), 'x'],
      [table('\r\n'), 'x'],
      ['<script>\r\nvar taught = [1, 2], i = 1;\r\nwindow.taughtAt = taught[i];\r\n</script>Script', 'x'],
      ['<style>\r\n.taught {\r\n  color: rgb(1, 2, 3);\r\n}\r\n</style><span class="taught">Styled</span>', 'x'],
      [`<a href="#there">Go</a>${'<br>'.repeat(80)}<span id="there">There</span>`, 'x'],
    ]);
    const { page, problems } = await open(exportQuiz({ quiz }).url);
    const code = await frameNamed(page, 'CodeFrame');
    const [plain, typed] = await code.evaluate(() => ['QT1', 'QT2'].map((id) => document.getElementById(id).getBoundingClientRect().height));
    assert.equal(typed, plain, 'the table typed over lines is as tall as the one typed on one');
    assert.equal(await code.evaluate(() => window.taughtAt), 2, 'the script ran');
    assert.equal(await code.locator('#Questions .qtext span').filter({ hasText: 'Styled' }).evaluate((e) => getComputedStyle(e).color), 'rgb(1, 2, 3)');
    await code.getByRole('link', { name: 'Go' }).click();
    assert.equal(await code.evaluate(() => document.querySelector(':target')?.textContent), 'There', 'the link leads to its place');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('an exercise without a title', () => {
  // The frames of each page kind, and the word that titles them.
  const untitled = [
    ['Quiz', () => exportQuiz({ quiz: quizFile('', questionsOf(samples[5])) }), ['FeedbackFrame', 'CodeFrame']],
    ['Quiz', () => exportQuiz({ mode: 'single', quiz: quizFile('', questionsOf(samples[5])) }), []],
    ['Matching exercise', () => exportMatching({ pry: writeMatchFile(pairsOf(samples[5]), { title: '' }) }), []],
    ['Matching exercise', () => exportMatching({ mode: 'dragdrop', pry: writeMatchFile(pairsOf(samples[5]), { title: '' }) }), []],
    ['Crossword', () => exportCrossword({ title: '' }), ['FeedbackFrame', 'CodeFrame']],
    ['Crossword', () => exportCrossword({ mode: 'single', title: '' }), []],
  ];
  test('is titled by its kind and shows no empty heading, on every page kind', async () => {
    await Promise.all(untitled.map(async ([word, exported, frameNames]) => {
      const { page, problems } = await open(exported().url);
      const frames = [page.mainFrame()];
      for (const name of frameNames) frames.push(await frameNamed(page, name));
      for (const f of frames) {
        const where = `${word}: ${f.name() || f.url()}`;
        assert.equal(await f.evaluate(() => document.title), word, where);
        if (frameNames.length > 0 && f === frames[0]) continue;  // a frameset
        assert.equal(await f.locator('h1:visible').count(), 0, where);
        assert.doesNotMatch(await f.locator('body').ariaSnapshot(), /heading[^\n]*\[level=1\]/, where);
      }
      assert.deepEqual(problems, [], word);
      await page.close();
    }));
  });
});

// ---- Every text of the quiz's configuration, the title, the questions, the
// answers and the reading at once hold a hostile value (quotes, a backslash,
// a line break, an end tag, a comment opener and placeholder words) in every
// export variant: every placeholder the supplied templates offer is filled,
// every script and event handler of every page (as the browser reads the
// page) still parses, the pages load without a script error, and each text
// that shows at load shows as typed (no placeholder word in it was filled by
// a later replacement).

// Every text control of the quiz program's configuration.
const controls = [
  'mmoQuizSubtitle', 'mmoWelcome', 'mmoInstructions', 'editGuessCorrect', 'editGuessIncorrect',
  'editRemainingTime', 'editStartReading', 'editShowReadingAgain', 'editTimesUp', 'editClickToShow',
  'editHint', 'editCheck', 'editShow', 'editHelp', 'editNextEx', 'editBack', 'editContents',
  'editTheseAnswersToo', 'editThisMuch', 'editPleaseEnter', 'editTheseWords', 'editNextCorrect',
  'editCorrectList', 'editGraphicURL', 'editNextExURL', 'editContentsURL', 'editPageBGColor',
  'editTitleColor', 'editExBGColor', 'editTextColor', 'editNavBarColor', 'editCorrectFirstTime',
  'editOKCaption', 'editPopupBGColor', 'editYourScoreIs',
];
const allOn = {
  chkIncludeHint: 1, chkIncludeShowAnswer: 1, chkIncludeHelp: 1, chkIncludeBack: 1,
  chkIncludeNextEx: 1, chkIncludeContents: 1, chkShuffleQs: 0,
};

// What shows of a hostile value: everything before its end tag.
const shown = ' it\'s "q" \\ [strTimesUp] [Question] [strPageBGColor] [CheckCaption] x';
const hostile = (control) => `\u00ab${control}\u00bb${shown}\r\ny </script><!--<script> z`;
const hostileTexts = Object.fromEntries(controls.map((c) => [c, hostile(c)]));

// A quiz whose title, questions, answers and reading are hostile too.
function hostileQuiz() {
  return writeQuizFile(hostile('title'), [1, 2].map((n) => [hostile(`question${n}`), hostile(`answer${n}`)]),
    { title: hostile('readingTitle'), text: hostile('readingText') });
}

const variants = [
  { mode: 'frames' },
  { mode: 'frames', reading: 'typed', timer: 1 },
  { mode: 'frames', reading: 'http://example.org/reading.htm', timer: 0 },
  { mode: 'single' },
  { mode: 'single', reading: 'typed', timer: 1 },
  { mode: 'single', reading: 'typed', timer: 0 },
  { mode: 'single', reading: 'http://example.org/reading.htm', timer: 1 },
];

const label = (v) => [v.mode, v.reading ? `reading ${v.reading}` : 'no reading', v.timer ? 'timer' : ''].join(' ').trim();

// Placeholders of the supplied templates: bracketed words that are no
// section markers and no index in the templates' own scripts (an index
// follows a name: "Answers[i]").
function templatePlaceholders() {
  const found = new Set();
  for (const name of readdirSync(templatesDir).filter((n) => n.endsWith('.ht_'))) {
    const text = readFileSync(join(templatesDir, name), 'latin1');
    const words = [...text.matchAll(/(?<!\w)\[([A-Za-z][A-Za-z0-9]*)\]/g)].map((m) => m[1]);
    for (const w of words) if (!text.includes(`[/${w}]`)) found.add(w);
  }
  return [...found];
}

// The scripts and event handlers of a frame as the browser parsed the page.
async function scriptsOf(frame) {
  return frame.evaluate(() => {
    const code = [...document.scripts].filter((s) => !s.src).map((s) => s.text);
    for (const el of document.querySelectorAll('*')) {
      for (const a of el.attributes) if (/^on/i.test(a.name)) code.push(`(function(event){${a.value}\n})`);
    }
    return code;
  });
}

// Syntax errors among scripts.
function syntaxErrors(code) {
  const errors = [];
  for (const c of code) {
    try {
      new vm.Script(c);
    } catch (e) {
      errors.push(`${e.message}: ${c.slice(0, 160)}`);
    }
  }
  return errors;
}

// The texts a student sees in a frame at load: title, body text and buttons.
async function visibleText(frame) {
  return frame.evaluate(() => [
    document.title,
    document.body ? document.body.innerText : '',
    ...[...document.querySelectorAll('input[type=button], input[type=submit], button')].map((b) => b.value || b.innerText),
  ].join('\n'));
}

describe('hostile texts in every placeholder', () => {
  const placeholders = templatePlaceholders();

  for (const v of variants) {
    test(label(v), async () => {
      // Every placeholder is filled, whatever the variant.
      const plain = exportQuiz({ ...v, switches: allOn, texts: { ...texts, editNextExURL: 'next.htm' } });
      for (const file of plain.written) {
        const html = readFileSync(file, 'latin1');
        const left = placeholders.filter((p) => html.includes(`[${p}]`));
        assert.deepEqual(left, [], `${file}: unfilled placeholders`);
      }

      const exported = exportQuiz({ ...v, quiz: hostileQuiz(), switches: allOn, texts: hostileTexts });

      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exported.url);
      await page.waitForLoadState('load');
      await page.waitForTimeout(200);
      let seen = 0;
      const altered = [];
      for (const frame of page.frames()) {
        if (!frame.url().startsWith('file:')) continue;
        await frame.waitForLoadState('load');
        assert.deepEqual(syntaxErrors(await scriptsOf(frame)), [], frame.url());
        const text = (await visibleText(frame)).replace(/\u00a0/g, ' ');
        for (const m of text.matchAll(/\u00ab(\w+)\u00bb/g)) {
          seen++;
          const after = text.slice(m.index + m[0].length, m.index + m[0].length + shown.length);
          if (after !== shown) altered.push(`${m[1]} in ${frame.url().replace(/.*\//, '')}: ${after}`);
        }
      }
      assert.ok(seen > 0, 'some hostile text shows at load');
      assert.deepEqual(altered, []);
      assert.equal(await page.evaluate(() => window.broken), undefined);
      // Pictures and pages at the hostile addresses are missing: no script error.
      assert.deepEqual(problems.filter((p) => !p.includes('Failed to load resource')), []);
      await page.close();
    });
  }
});
