// Teacher text is HTML on purpose: on every page kind and in every place it
// lands, markup stays markup (a bold word, a video's iframe), while a comment
// or a script element left open no longer hides the rest of the page.  Every
// question, select list, card, place and clue is there, Check works, and no
// control is left without a name.  Also: pages of an exercise without a
// title, and every text of the quiz's configuration hostile at once.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import vm from 'node:vm';
import {
  exportMatching, exportQuiz, frameNamed, startBrowser, templatesDir, texts, watchConsole, writeMatchFile,
} from './helpers.mjs';
import { exportCrossword, typeWord } from './crossword-helpers.mjs';

// What each text shows where it is markup, and where it is shown as text
// only (an option, a card, a place's name): alone, and after a word (tags
// out, and as typed where nothing else would be left).
const samples = [
  { text: 'Sub <!-- x', markup: 'Sub <!-- x', plain: 'Sub <!-- x' },
  { text: '<iframe src="about:blank"></iframe>', markup: '', plain: '<iframe src="about:blank"></iframe>', afterWord: '', element: 'iframe' },
  { text: '<b>bold</b>', markup: 'bold', plain: 'bold', element: 'b' },
  { text: '</script><!-- x', markup: '<!-- x', plain: '<!-- x' },
  { text: 'a<b', markup: 'a', plain: 'a<b' },
  { text: '2 < 3', markup: '2 < 3', plain: '2 < 3' },
  // Quotes, a backslash, placeholder words and a letter above 127.
  ...['It\'s "q" \\ [strGuessCorrect] [Clue] [ItemList] caf\u00e9'].map((t) => ({ text: t, markup: t, plain: t })),
  { text: 'Line one\r\nline two', markup: 'Line one line two', plain: 'Line one line two' },
];

// The configuration's texts on every page.
const checkCaption = 'Check "it"';
const rightText = 'Right "so" it\'s \\ </script>';
const rightShown = 'Right "so" it\'s \\';

const norm = (s) => s.replace(/\s+/g, ' ').trim();
const esc = (t) => t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
const el = (tag, content) => `<${tag}>${content}</${tag}>`;

// A quiz data file: the title, [question, answer] pairs and a typed reading.
function quizFile(title, questions, reading = { title: '', text: '' }) {
  const records = questions.map(([q, a]) => el('question-record', el('question', esc(q)) +
    el('answer', el('text', esc(a)) + el('correct', '1') + el('feedback', '')))).join('');
  const readingXML = el('reading', el('include-reading', '0') + el('include-timer', '0') + el('time-limit', '1') +
    el('internal-reading', '1') + el('path-to-reading', '') + el('reading-title', esc(reading.title)) +
    el('reading-text', esc(reading.text)));
  const doc = el('tavrel-askery-file', el('version', '6') + el('data', el('title', esc(title)) + readingXML +
    el('questions', records)));
  const file = join(mkdtempSync(join(tmpdir(), 'tavrel-markup-')), 'quiz.aky');
  writeFileSync(file, doc, 'latin1');
  return file;
}

// The texts of each sample's exercise: the first item holds the text alone,
// the second after a word of its own, the third is plain.
const questionsOf = (s) => [[s.text, s.text], [`2 ${s.text}`, `2 ${s.text}`], ['three', '3']];
const pairsOf = (s) => [[s.text, s.text, false], [`2 ${s.text}`, `R2 ${s.text}`, false], ['three', 'R3', false]];
const markupOf = (s) => [s.markup, norm(`2 ${s.markup}`), 'three'];
const typed = (t) => norm(t);
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

// Controls without an accessible name, and names that glue the lines of a
// text, in a frame.
async function expectNamed(frame, where) {
  const tree = await frame.locator('body').ariaSnapshot();
  const nameless = tree.split('\n').filter((l) => /^\s*- (button|textbox|combobox|link|checkbox|radio|spinbutton)(?= \[|:|$)/.test(l));
  assert.deepEqual(nameless, [], `${where}: controls without a name`);
  assert.doesNotMatch(tree, /oneline/i, `${where}: a line break reads as a blank`);
  const title = await frame.evaluate(() => document.title);
  assert.notEqual(norm(title), '', `${where}: page title`);
  assert.doesNotMatch(title, /oneline/i, `${where}: page title`);
}

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

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
    await expectShown(code, '#Questions .qtext', markupOf(s), s, 'questions');
    await expectShown(code, '#QuizTitle', [s.markup], s, 'title');
    await expectShown(code, '.subtitle', [s.markup], s, 'subtitle');
    assert.equal(await code.locator('#ReadingButton').innerText(), texts.editStartReading, 'the timed reading waits for its button');
    await code.fill('#G1', typed(s.text));
    await code.press('#G1', 'Enter');
    assert.equal(norm(await code.locator('#F1').innerText()), rightShown, 'Enter checks');
    await code.fill('#G2', typed(`2 ${s.text}`));
    await code.locator(`#Q2 input[type=button][value='${checkCaption}']`).click();
    assert.equal(norm(await code.locator('#F2').innerText()), rightShown, 'Check checks');
    assert.match(await code.locator('#Score').innerText(), /%/);
    await expectShown(welcome, '.welcometext', [s.markup], s, 'welcome');
    await expectShown(welcome, '.instructions', [s.markup], s, 'instructions');
    assert.equal(await welcome.locator('#help').count(), 1, 'the help');
    assert.ok(await welcome.locator('.navbar input[type=button]').count() > 0, 'the buttons');
    for (const f of [code, welcome]) await expectNamed(f, f.name());
    // The reading page, opened by itself.
    await page.goto(pathToFileURL(join(exported.dir, 'quizr.htm')).href);
    await expectShown(page, 'h1', [s.markup], s, 'reading title');
    await expectShown(page, '.text', [s.markup], s, 'reading text');
    await expectNamed(page.mainFrame(), 'reading');
    return { page, problems };
  },

  async 'quiz, single page'(s) {
    const exported = exportQuiz({
      mode: 'single', quiz: quizFile(s.text, questionsOf(s), { title: s.text, text: s.text }), reading: 'typed', timer: 0,
      texts: { mmoQuizSubtitle: s.text, mmoInstructions: s.text, editCheck: checkCaption, editGuessCorrect: rightText },
      switches: { chkShuffleQs: 0 },
    });
    const { page, problems } = await open(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    const reading = await frameNamed(page, 'ReadingFrame');
    await expectShown(code, '#ExTitle', [s.markup], s, 'title');
    await expectShown(code, '#ExSubtitle', [s.markup], s, 'subtitle');
    await expectShown(code, '#ExInstructions', [s.markup], s, 'instructions');
    const expected = markupOf(s);
    for (let i = 0; i < expected.length; i++) {
      assert.equal(await code.locator('#QNumber').innerText(), `${i + 1} / 3`);
      await expectShown(code, '#QText', [expected[i]], s, `question ${i + 1}`);
      await expectNamed(code, `question ${i + 1}`);
      if (i < expected.length - 1) await code.getByRole('button', { name: 'Next question' }).click();
    }
    await code.fill('#Guess', '3');
    await code.getByRole('button', { name: checkCaption, exact: true }).click();
    await code.locator('#Popup[open]').waitFor();
    assert.ok(norm(await code.locator('#PopupText').innerText()).startsWith(rightShown), 'Check checks');
    await expectShown(reading, 'h1', [s.markup], s, 'reading title');
    await expectShown(reading, '.text', [s.markup], s, 'reading text');
    await expectNamed(reading, 'reading');
    return { page, problems };
  },

  async 'matching, select lists'(s) {
    const exported = exportMatching({
      pry: writeMatchFile(pairsOf(s), { title: s.text }),
      texts: { mmoExerciseSubtitle: s.text, mmoInstructions: s.text, editCheck: checkCaption },
    });
    const { page, problems } = await open(exported.url);
    await expectShown(page, '#ExTitle', [s.markup], s, 'title');
    await expectShown(page, '#ExSubtitle', [s.markup], s, 'subtitle');
    await expectShown(page, '#ExInstructions', [s.markup], s, 'instructions');
    await expectShown(page, '.left', markupOf(s), s, 'left items');
    const selects = page.locator('select');
    assert.equal(await selects.count(), 3, 'select lists');
    const rights = [s.plain, plainAfter('R2', s), 'R3'];
    for (let i = 0; i < 3; i++) await selects.nth(i).selectOption({ label: rights[i] });
    await page.locator(`input[type=button][value='${checkCaption}']`).click();
    assert.match(await page.locator('#Score').innerText(), /100%/);
    await expectNamed(page.mainFrame(), 'page');
    return { page, problems };
  },

  async 'matching, drag and drop'(s) {
    const exported = exportMatching({
      mode: 'dragdrop', pry: writeMatchFile(pairsOf(s), { title: s.text }),
      texts: { mmoExerciseSubtitle: s.text, mmoInstructions: s.text, editCheck: checkCaption, editGuessCorrect: rightText },
    });
    const { page, problems } = await open(exported.url);
    await expectShown(page, '#ExTitle', [s.markup], s, 'title');
    await expectShown(page, '#ExSubtitle', [s.markup], s, 'subtitle');
    await expectShown(page, '#ExInstructions', [s.markup], s, 'instructions');
    await expectShown(page, '.left', markupOf(s), s, 'left items');
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
    assert.match(norm(await page.locator('#PopupText').innerText()), /100%/);
    await expectNamed(page.mainFrame(), 'page');
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
    const code = mode === 'frames' ? await frameNamed(page, 'CodeFrame') : page.mainFrame();
    await expectShown(code, '#PuzzleTitle', [s.markup], s, 'title');
    await expectShown(code, mode === 'frames' ? '.subtitle' : '#PuzzleSubtitle', [s.markup], s, 'subtitle');
    if (mode !== 'frames') await expectShown(code, '#PuzzleInstructions', [s.markup], s, 'instructions');
    await expectShown(code, '#AcrossHead', [norm(`Across ${s.markup}`)], s, 'across heading');
    await expectShown(code, '#AcrossList .ct', [s.markup], s, 'across clue');
    await expectShown(code, '#DownList .ct', [norm(`2 ${s.markup}`)], s, 'down clue');
    await typeWord(code, 1, 'across', 'cat');
    await typeWord(code, 1, 'down', 'car');
    assert.ok(norm(await code.locator('#CurrentClue').innerText()).endsWith(norm(`2 ${s.markup}`)), 'the current clue');
    await code.getByRole('button', { name: checkCaption, exact: true }).click();
    assert.equal(norm(await code.locator('[role=status]').first().innerText()), rightShown, 'Check checks');
    await expectNamed(code, 'crossword');
    if (mode === 'frames') {
      const welcome = await frameNamed(page, 'FeedbackFrame');
      await expectShown(welcome, '.welcometext', [s.markup], s, 'welcome');
      await expectShown(welcome, '.instructions', [s.markup], s, 'instructions');
      await expectNamed(welcome, 'welcome');
    }
    return { page, problems };
  };
}

describe('teacher text on every page kind', () => {
  for (const [kind, run] of Object.entries(kinds)) {
    // The texts side by side, each in a page of its own.
    test(kind, async () => {
      await Promise.all(samples.map(async (s) => {
        const { page, problems } = await run(s).catch((e) => {
          e.message = `${JSON.stringify(s.text)}: ${e.message}`;
          throw e;
        });
        assert.deepEqual(problems, [], JSON.stringify(s.text));
        await page.close();
      }));
    });
  }
});
