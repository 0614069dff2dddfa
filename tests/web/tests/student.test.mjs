// The pages as a student meets them: letters of every language, teacher text
// that looks like page code, a phone with a reading, progress and score,
// keyboard, print and touch.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { chromiumArgs, exportMatching, exportQuiz, frameNamed, screenshot, startBrowser, templatesDir, texts, watchConsole } from './helpers.mjs';
import { exportCrossword } from './crossword-helpers.mjs';

const cp1252High = [0x20AC, 0x81, 0x201A, 0x192, 0x201E, 0x2026, 0x2020, 0x2021, 0x2C6, 0x2030,
  0x160, 0x2039, 0x152, 0x8D, 0x17D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
  0x2014, 0x2DC, 0x2122, 0x161, 0x203A, 0x153, 0x9D, 0x17E, 0x178];

// A text as the editor stores it: Windows-1252 bytes, letters the code page
// lacks as character references, then escaped for the data file.
function stored(text) {
  const bytes = [];
  for (const ch of text) {
    const u = ch.codePointAt(0);
    const high = cp1252High.indexOf(u);
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) bytes.push(u);
    else if (high >= 0) bytes.push(0x80 + high);
    else for (const c of `&#${u};`) bytes.push(c.charCodeAt(0));
  }
  return Buffer.from(bytes).toString('latin1')
    .replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

// Writes a quiz data file: title and [question, [answers...]] pairs.
function writeQuiz(title, questions) {
  const dir = mkdtempSync(join(tmpdir(), 'tavrel-quiz-'));
  const records = questions.map(([q, answers]) => '<question-record>\r\n<question>' + stored(q) + '</question>\r\n' +
    answers.map((a) => `<answer>\r\n<text>${stored(a)}</text>\r\n<correct>1</correct>\r\n<feedback></feedback>\r\n</answer>\r\n`).join('') +
    '\r\n</question-record>\r\n').join('\r\n');
  const xml = '<?xml version="1.0" encoding="ISO-8859-1"?>\r\n\r\n<tavrel-askery-file>\r\n<version>6</version>\r\n\r\n' +
    `<data>\r\n<title>${stored(title)}</title>\r\n\r\n<questions>\r\n\r\n${records}\r\n</questions>\r\n</data>\r\n</tavrel-askery-file>\r\n`;
  const file = join(dir, 'quiz.aky');
  writeFileSync(file, Buffer.from(xml, 'latin1'));
  return file;
}

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

async function open(options, viewport = { width: 1280, height: 800 }) {
  const exported = exportQuiz(options);
  const page = await browser.newPage();
  await page.setViewportSize(viewport);
  const problems = watchConsole(page);
  await page.goto(exported.url);
  const code = await frameNamed(page, 'CodeFrame');
  return { page, code, problems, exported };
}
async function openSingle(options, viewport) {
  const exported = exportQuiz({ mode: 'single', ...options });
  const page = await browser.newPage();
  if (viewport) await page.setViewportSize(viewport);
  const problems = watchConsole(page);
  await page.goto(exported.url);
  return { page, problems, exported };
}
// The single page's feedback dialog: its text, then closed with OK.
async function popup(page) {
  await page.locator('#Popup[open]').waitFor();
  const text = (await page.locator('#PopupText').innerText()).trim();
  await page.locator('#PopupOK').click();
  await page.locator('#Popup').waitFor({ state: 'hidden' });
  return text;
}
const frameHeight = (page, name) => page.evaluate((n) =>
  document.querySelector(`frame[name="${n}"]`).getBoundingClientRect().height, name);
const frameWidth = (page, name) => page.evaluate((n) =>
  document.querySelector(`frame[name="${n}"]`).getBoundingClientRect().width, name);
async function until(check, what) {
  for (let i = 0; i < 200; i++) {
    if (await check()) return;
    await new Promise((r) => setTimeout(r, 50));
  }
  assert.fail(what);
}

const lettersQuiz = () => writeQuiz('Miasta, \u03c0\u03cc\u03bb\u03b5\u03b9\u03c2, \u0433\u043e\u0440\u043e\u0434\u0430', [
  ['Trzecie miasto Polski?', ['\u0141\u00f3d\u017a']],
  ['\u03a0\u03bf\u03b9\u03b1 \u03c7\u03ce\u03c1\u03b1;', ['\u0395\u03bb\u03bb\u03ac\u03b4\u03b1']],
  ['\u0421\u0442\u043e\u043b\u0438\u0446\u0430 \u0420\u043e\u0441\u0441\u0438\u0438?', ['\u041c\u043e\u0441\u043a\u0432\u0430']],
  ['Capitala Rom\u00e2niei?', ['Bucure\u0219ti']],
  ['Which play has the line \u201cTo be, or not to be\u201d?', ['\u201cHamlet\u201d']],
  ['A happy face?', ['smile \u{1F600}']],
]);
// What a wrong answer of the last question is told: half an emoji is no
// correct beginning, and another emoji is not partly right.
const emojiGuesses = [
  ['smile \u{1F601}', 'This much is correct: smile These words are in the answer: smile'],
  ['\u{1F601}', texts.editGuessIncorrect],
];
const norm = (s) => s.replace(/\s+/g, ' ').trim();

describe('letters of every language', () => {
  test('frames: answers kept as character references are accepted, shown and hinted as letters', async () => {
    const { page, code, problems } = await open({ quiz: lettersQuiz() });
    assert.match(await code.locator('h1').innerText(), /Miasta, \u03c0\u03cc\u03bb\u03b5\u03b9\u03c2, \u0433\u043e\u0440\u043e\u0434\u0430/);
    const check = async (q, guess) => {
      await code.fill(`#G${q}`, guess);
      await code.press(`#G${q}`, 'Enter');
      return (await code.locator(`#F${q}`).innerText()).trim();
    };
    assert.equal(await check(1, '\u0142\u00f3d\u017a'), texts.editGuessCorrect);
    assert.equal(await check(2, '\u0395\u039b\u039b\u0386\u0394\u0391'), texts.editGuessCorrect);
    // A cedilla where the teacher typed a comma below counts as the same letter.
    assert.equal(await check(4, 'Bucure\u015fti'), texts.editGuessCorrect);
    await code.fill('#G3', '\u041c\u043e');
    await code.locator('#Q3 input[value="Hint"]').click();
    assert.equal(await code.inputValue('#G3'), '\u041c\u043e\u0441');
    await code.locator('#Q3 input[value="Show answer"]').click();
    assert.equal((await code.locator('#F3').innerText()).trim(), 'Correct answers: \u041c\u043e\u0441\u043a\u0432\u0430');
    // Typographic quotes: straight ones are accepted, the teacher's are shown.
    assert.equal(await check(5, '"hamlet"'), texts.editGuessCorrect);
    await code.locator('#Q5 input[value="Show answer"]').click();
    assert.equal((await code.locator('#F5').innerText()).trim(), 'Correct answers: \u201cHamlet\u201d');
    for (const [guess, told] of emojiGuesses) assert.equal(norm(await check(6, guess)), told, guess);
    // A hint after a word gives the blank and the emoji after it, whole.
    await code.fill('#G6', 'smile');
    await code.locator('#Q6 input[value="Hint"]').click();
    assert.equal(await code.inputValue('#G6'), 'smile \u{1F600}');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page: the same answers, letters shown and hinted', async () => {
    const { page, problems } = await openSingle({ quiz: lettersQuiz(), switches: { chkShuffleQs: 0 } });
    await page.fill('#Guess', 'LODZ');
    await page.press('#Guess', 'Enter');
    assert.equal(await popup(page), texts.editGuessIncorrect);
    await page.fill('#Guess', '\u0141\u00d3D\u0179');
    await page.press('#Guess', 'Enter');
    assert.match(await popup(page), /^Correct!/);
    await page.getByRole('button', { name: 'Next question' }).click();
    await page.fill('#Guess', '\u0395\u03bb');
    await page.getByRole('button', { name: texts.editHint }).click();
    assert.equal(await popup(page), texts.editNextCorrect);
    assert.equal(await page.inputValue('#Guess'), '\u0395\u03bb\u03bb');
    await page.getByRole('button', { name: texts.editShow }).click();
    assert.equal(await popup(page), 'Correct answers: \u0395\u03bb\u03bb\u03ac\u03b4\u03b1');
    await page.getByRole('button', { name: 'Next question' }).click();
    await page.fill('#Guess', ' \u043c\u043e\u0441\u043a\u0432\u0430 ');
    await page.press('#Guess', 'Enter');
    assert.match(await popup(page), /^Correct!/);
    await page.getByRole('button', { name: 'Next question' }).click();
    await page.getByRole('button', { name: 'Next question' }).click();
    await page.getByRole('button', { name: texts.editShow }).click();
    assert.equal(await popup(page), 'Correct answers: \u201cHamlet\u201d');
    await page.getByRole('button', { name: 'Next question' }).click();
    for (const [guess, told] of emojiGuesses) {
      await page.fill('#Guess', guess);
      await page.press('#Guess', 'Enter');
      assert.equal(norm(await popup(page)), told, guess);
    }
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('teacher text is never page code', () => {
  // Every placeholder and section word of the templates.
  const words = [...new Set(readdirSync(templatesDir).filter((f) => f.endsWith('.ht_'))
    .flatMap((f) => readFileSync(join(templatesDir, f), 'latin1').match(/\[\/?[A-Za-z]+\]/g) || []))].sort();
  const all = words.join(' ');
  const trap = '<img src=x onerror="window.ran=1"> <!--<script>';
  const quiz = () => writeQuiz(`Title ${all}`, [
    [`Question ${all}`, [`Answer ${all}`, trap]],
    ['Second question', ['two']],
  ]);

  test('placeholder words in a title, a question and an answer show as typed, and nothing runs', async () => {
    assert.ok(words.includes('[Answers]') && words.includes('[strItemArray]') && words.length > 40);
    for (const mode of ['frames', 'single']) {
      const exported = exportQuiz({ mode, quiz: quiz(), switches: { chkShuffleQs: 0 } });
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exported.url);
      assert.equal(await page.title(), `Title ${all}`, mode);
      if (mode === 'frames') {
        const code = await frameNamed(page, 'CodeFrame');
        assert.equal((await code.locator('h1').innerText()).trim(), `Title ${all}`);
        assert.equal((await code.locator('#QT1').innerText()).trim(), `Question ${all}`);
        assert.equal(await code.locator('input.guess').count(), 2, 'every answer box is there');
        await code.locator('#Q1 input[value="Show answer"]').click();
        assert.equal((await code.locator('#F1').innerText()).trim(), `Correct answers: Answer ${all}, ${trap}`);
        await code.fill('#G2', 'two');
        await code.press('#G2', 'Enter');
        assert.equal(await code.evaluate(() => window.ran), undefined);
        const welcome = await frameNamed(page, 'FeedbackFrame');
        assert.equal((await welcome.locator('h1').innerText()).trim(), `Title ${all}`);
      } else {
        assert.equal((await page.locator('#ExTitle').innerText()).trim(), `Title ${all}`);
        assert.equal((await page.locator('#QText').innerText()).trim(), `Question ${all}`);
        await page.getByRole('button', { name: texts.editShow }).click();
        assert.equal(await popup(page), `Correct answers: Answer ${all}, ${trap}`);
        assert.equal(await page.evaluate(() => window.ran), undefined);
      }
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });
});

describe('progress and score', () => {
  test('frames: the score has one place, which updates', async () => {
    const { page, code, problems } = await open({ switches: { chkContinuousScoring: 1 } });
    for (const [q, guess] of [[1, 'Paris'], [2, 'red'], [3, 'Boston'], [3, 'New York']]) {
      await code.fill(`#G${q}`, guess);
      await code.press(`#G${q}`, 'Enter');
    }
    const body = await code.locator('body').innerText();
    assert.equal(body.match(/Your score is/g).length, 1, 'one score on the page');
    assert.match(await code.locator('#Score').innerText(), /first time: 2 \/ 7\s+Your score is: 29%/);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page: answered right, answer shown and not yet answered are told apart; feedback stays', async () => {
    const { page, problems } = await openSingle({ switches: { chkShuffleQs: 0, chkContinuousScoring: 0 } });
    const mark = () => page.locator('#QMark').evaluate((m) => ({ text: m.textContent, label: m.getAttribute('aria-label') }));
    assert.deepEqual(await mark(), { text: '', label: null });
    await page.getByRole('button', { name: texts.editShow }).click();
    await popup(page);
    const shown = await mark();
    assert.equal(shown.label, 'answer shown');
    assert.notEqual(shown.text, '\u2713');
    await page.getByRole('button', { name: 'Next question' }).click();
    assert.deepEqual(await mark(), { text: '', label: null });
    await page.fill('#Guess', 'blue');
    await page.press('#Guess', 'Enter');
    await popup(page);
    assert.deepEqual(await mark(), { text: '\u2713', label: 'answered right' });
    // From the feedback of a done question straight to the next open one.
    await page.fill('#Guess', 'blue');
    await page.press('#Guess', 'Enter');
    await page.getByRole('button', { name: 'Next question: 3' }).click();
    await page.locator('#Popup').waitFor({ state: 'hidden' });
    assert.equal((await page.locator('#QNumber').innerText()).trim(), '3 / 7');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Guess');
    await page.getByRole('button', { name: 'Previous question' }).click();
    await page.getByRole('button', { name: 'Previous question' }).click();
    assert.equal((await page.locator('#QFeedback').innerText()).trim(), 'Correct answers: Paris');
    assert.equal((await mark()).label, 'answer shown');
    await page.getByRole('button', { name: 'Next question' }).click();
    assert.match(await page.locator('#QFeedback').innerText(), /^Correct!/);
    assert.match(await page.locator('#QAnnounce').innerText(), /^2 \/ 7 \u2713: Name a primary colour/);
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('keyboard', () => {
  test('frames: after a right answer the next question is one key away and takes the focus', async () => {
    const { page, code, problems } = await open();
    await code.locator('#G1').focus();
    await page.keyboard.type('Paris');
    await page.keyboard.press('Enter');
    await page.keyboard.press('Enter');
    const focused = await code.evaluate(() => ({
      id: document.activeElement.id,
      label: document.activeElement.getAttribute('aria-labelledby').split(' ')
        .map((id) => document.getElementById(id).textContent.trim()).join(' '),
    }));
    assert.deepEqual(focused, { id: 'G2', label: '2. Name a primary colour.' });
    // A wrong answer leaves the focus in the box for another try.
    await page.keyboard.type('green');
    await page.keyboard.press('Enter');
    assert.equal(await code.evaluate(() => document.activeElement.id), 'G2');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('frames: the help shows only when asked for, and focus shows in the welcome frame', async () => {
    const { page, code, problems } = await open();
    const welcome = await frameNamed(page, 'FeedbackFrame');
    assert.equal(await welcome.locator('#help').isVisible(), false);
    await welcome.locator('input[type=button]').first().focus();
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Tab');
    const outline = await welcome.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    assert.equal(outline, 'solid');
    await code.getByRole('button', { name: 'Help' }).click();
    await welcome.locator('#help').waitFor();
    assert.ok(await welcome.locator('#help').isVisible());
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('keyboard and captions of the single page', () => {
  test('no empty bar; after a right answer and OK the next question is one key away and announced', async () => {
    const { page, problems } = await openSingle({ switches: { chkShuffleQs: 0, chkIncludeBack: 0, chkIncludeNextEx: 0, chkIncludeContents: 0 } });
    assert.equal(await page.locator('#NavBar').isVisible(), false, 'no bar without buttons');
    await page.locator('#Guess').focus();
    await page.keyboard.type('Paris');
    await page.keyboard.press('Enter');
    await page.locator('#Popup[open]').waitFor();
    await page.keyboard.press('Enter');
    await page.locator('#Popup').waitFor({ state: 'hidden' });
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Next open question: 2');
    await page.keyboard.press('Enter');
    assert.equal((await page.locator('#QNumber').innerText()).trim(), '2 / 7');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Guess');
    assert.match(await page.locator('#QAnnounce').innerText(), /^2 \/ 7: Name a primary colour/);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('with the built-in empty captions a check control shows, and a check shows right or wrong', async () => {
    const empty = { editCheck: '', editGuessCorrect: '', editGuessIncorrect: '', editHint: '', editShow: '' };
    const frames = await open({ texts: empty });
    const check = frames.code.locator('#Q1').getByRole('button', { name: 'Check' });
    assert.equal((await check.innerText()).trim(), '\u2713');
    await frames.code.fill('#G1', 'Lyon');
    await check.click();
    assert.equal((await frames.code.locator('#F1').innerText()).replace(/\s+/g, ' ').trim(), '\u2717 wrong');
    await frames.code.fill('#G1', 'Paris');
    await check.click();
    assert.equal((await frames.code.locator('#F1').innerText()).replace(/\s+/g, ' ').trim(), '\u2713 right');
    assert.deepEqual(frames.problems, []);
    await frames.page.close();
    const single = await openSingle({ texts: empty, switches: { chkShuffleQs: 0 } });
    await single.page.fill('#Guess', 'Paris');
    assert.equal((await single.page.getByRole('button', { name: 'Check' }).innerText()).trim(), '\u2713');
    await single.page.getByRole('button', { name: 'Check' }).click();
    assert.match((await popup(single.page)).replace(/\s+/g, ' '), /^\u2713 right/);
    assert.deepEqual(single.problems, []);
    await single.page.close();
  });
});

describe('phone with a reading', () => {
  test('frames at 360 x 380: questions get most of the height, the reading hides, the checked feedback is in view', async () => {
    const { page, code, problems } = await open({ reading: 'typed' }, { width: 360, height: 380 });
    await until(async () => (await frameHeight(page, 'CodeFrame')) > 380 / 2, 'the questions get most of the height');
    assert.equal(await frameHeight(page, 'FeedbackFrame'), 0, 'the title is not repeated in a welcome frame');
    assert.ok((await frameHeight(page, 'ReadingFrame')) > 100);
    await code.fill('#G5', '4 \u20ac');
    await code.press('#G5', 'Enter');
    const inView = await code.evaluate(() => {
      const r = document.getElementById('F5').getBoundingClientRect();
      return r.height > 0 && r.top >= 0 && r.bottom <= window.innerHeight;
    });
    assert.ok(inView, 'the feedback of question 5 is inside the questions frame');
    await screenshot(page, 'phone-frames-reading-360x380.png');
    await code.getByRole('button', { name: 'Reading' }).click();
    await until(async () => (await frameHeight(page, 'ReadingFrame')) === 0, 'the reading hides');
    assert.equal(await code.getByRole('button', { name: 'Reading' }).getAttribute('aria-pressed'), 'false');
    await code.getByRole('button', { name: 'Reading' }).click();
    await until(async () => (await frameHeight(page, 'ReadingFrame')) > 100, 'the reading shows again');
    await code.getByRole('button', { name: 'Help' }).click();
    await until(async () => (await frameHeight(page, 'FeedbackFrame')) > 100, 'the help makes room for itself');
    await code.getByRole('button', { name: 'Help' }).click();
    await until(async () => (await frameHeight(page, 'FeedbackFrame')) === 0, 'and gives it back');
    await page.setViewportSize({ width: 1280, height: 800 });
    await until(async () => (await frameWidth(page, 'ReadingFrame')) > 400, 'side by side on a wide screen');
    await until(async () => !(await code.locator('#ReadingToggle').isVisible()), 'no reading button on a wide screen');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('frames at 360 x 740: the welcome text and instructions show below the reading, and close', async () => {
    const { page, code, problems } = await open({ reading: 'typed' }, { width: 360, height: 740 });
    const welcome = await frameNamed(page, 'FeedbackFrame');
    await until(() => welcome.evaluate(() => ['.welcometext', '.instructions'].every((s) => {
      const r = document.querySelector(s).getBoundingClientRect();
      return r.height > 0 && r.top >= 0 && r.bottom <= innerHeight + 1;
    })), 'the welcome text and instructions are in view');
    assert.ok((await frameHeight(page, 'CodeFrame')) > 740 / 2, 'the questions keep most of the height');
    await code.getByRole('button', { name: 'Welcome' }).click();
    await until(async () => (await frameHeight(page, 'FeedbackFrame')) === 0, 'the strip closes');
    assert.ok((await frameHeight(page, 'ReadingFrame')) > 100, 'the reading stays');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page at 360 x 380: the quiz gets most of the height and the reading hides', async () => {
    const { page, problems } = await openSingle({ reading: 'typed' }, { width: 360, height: 380 });
    const code = await frameNamed(page, 'CodeFrame');
    await until(async () => (await frameHeight(page, 'CodeFrame')) > 380 / 2, 'the quiz gets most of the height');
    assert.ok((await frameHeight(page, 'ReadingFrame')) > 100);
    await code.getByRole('button', { name: 'Reading' }).click();
    await until(async () => (await frameHeight(page, 'ReadingFrame')) === 0, 'the reading hides');
    await code.fill('#Guess', 'Lyon');
    await code.press('#Guess', 'Enter');
    const inView = await code.evaluate(() => {
      const r = document.getElementById('PopupText').getBoundingClientRect();
      return r.height > 0 && r.top >= 0 && r.bottom <= window.innerHeight;
    });
    assert.ok(inView, 'the feedback is in view');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('timed readings take no room before the start and after the time is up', async () => {
    const kinds = {
      frames: () => exportQuiz({ reading: 'typed', timer: 1 }),
      single: () => exportQuiz({ mode: 'single', reading: 'typed', timer: 1, switches: { chkShuffleQs: 0 } }),
      'matching select list': () => exportMatching({ reading: 'typed', timer: 1 }),
      'matching drag and drop': () => exportMatching({ mode: 'dragdrop', reading: 'typed', timer: 1 }),
    };
    for (const [mode, exportPage] of Object.entries(kinds)) {
      const exported = exportPage();
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.clock.install({ time: new Date('2024-01-01T10:00:00Z') });
      // The reading's frame, every time the root page's layout changes.
      await page.addInitScript(() => {
        if (window !== window.top) return;
        window.readingSizes = [];
        document.addEventListener('DOMContentLoaded', () => {
          const set = document.querySelector('frameset');
          const note = () => window.readingSizes.push(set.getAttribute('cols'));
          note();
          new MutationObserver(note).observe(set, { attributes: true });
        });
      });
      await page.goto(exported.url);
      const code = await frameNamed(page, 'CodeFrame');
      await code.getByRole('button', { name: texts.editStartReading }).waitFor();
      assert.equal(await frameWidth(page, 'ReadingFrame'), 0, mode);
      assert.ok((await page.evaluate(() => window.readingSizes)).every((c) => c === '0,*'), `${mode}: never shown before the start`);
      await code.getByRole('button', { name: texts.editStartReading }).click();
      await until(async () => (await frameWidth(page, 'ReadingFrame')) > 300, `${mode}: shown on Start reading`);
      await page.clock.runFor(61000);
      await until(async () => (await frameWidth(page, 'ReadingFrame')) === 0, `${mode}: no room after the time is up`);
      await code.getByRole('button', { name: texts.editShowReadingAgain }).click();
      await until(async () => (await frameWidth(page, 'ReadingFrame')) > 300, `${mode}: shown again`);
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });
});

describe('phone without a reading', () => {
  test('quiz and crossword frames at 360 x 740: the welcome strip shows its text and buttons, closes, opens and makes room for the help', async () => {
    const kinds = {
      quiz: () => exportQuiz({ switches: { chkIncludeNextEx: 1, chkIncludeContents: 1 } }),
      crossword: () => exportCrossword({ switches: { chkIncludeNextEx: 1, chkIncludeBack: 1 } }),
    };
    const phone = await chromium.launch({ executablePath: '/usr/bin/chromium', args: chromiumArgs });
    try {
      const context = await phone.newContext({ viewport: { width: 360, height: 740 }, hasTouch: true, isMobile: true });
      context.setDefaultTimeout(5000);
      for (const [kind, exportPage] of Object.entries(kinds)) {
        const page = await context.newPage();
        const problems = watchConsole(page);
        await page.goto(exportPage().url);
        const code = await frameNamed(page, 'CodeFrame');
        const welcome = await frameNamed(page, 'FeedbackFrame');
        const unseen = () => welcome.evaluate(() => [...document.querySelectorAll('main > *:not(.help)')]
          .filter((e) => e.getBoundingClientRect().bottom > innerHeight + 1).map((e) => e.className || e.tagName));
        await until(async () => (await unseen()).length === 0, `${kind}: the welcome text and buttons are all in view`);
        assert.ok((await frameHeight(page, 'FeedbackFrame')) < 740 * 0.45, kind);
        const toggle = code.getByRole('button', { name: 'Welcome' });
        await toggle.tap();
        await until(async () => (await frameHeight(page, 'FeedbackFrame')) === 0, `${kind}: the strip closes`);
        assert.equal(await toggle.getAttribute('aria-pressed'), 'false');
        await toggle.tap();
        await until(async () => (await frameHeight(page, 'FeedbackFrame')) > 100, `${kind}: and opens again`);
        const help = code.getByRole('button', { name: 'Help' });
        await help.tap();
        await until(async () => (await frameHeight(page, 'FeedbackFrame')) >= 740 * 0.45, `${kind}: the help makes room for itself`);
        await until(() => welcome.evaluate(() => {
          const r = document.getElementById('HelpHeading').getBoundingClientRect();
          return r.top >= 0 && r.bottom <= innerHeight;
        }), `${kind}: the help's heading is in view`);
        await screenshot(page, `${kind}-help-360x740.png`);
        await help.tap();
        await until(async () => !(await welcome.locator('#help').isVisible()), `${kind}: a second tap closes the help`);
        await until(async () => (await frameHeight(page, 'FeedbackFrame')) < 740 * 0.45, `${kind}: and gives the room back`);
        await page.setViewportSize({ width: 1280, height: 800 });
        await until(async () => !(await toggle.isVisible()), `${kind}: no welcome button on a wide screen`);
        assert.deepEqual(problems, [], kind);
        await page.close();
      }
    } finally {
      await phone.close();
    }
  });
});

describe('matching with a reading on a phone', () => {
  test('360 x 740: the exercise gets most of the height and the Reading button hides and shows the reading', async () => {
    for (const mode of ['select', 'dragdrop']) {
      const exported = exportMatching({ mode, reading: 'typed', timer: 0 });
      const page = await browser.newPage();
      await page.setViewportSize({ width: 360, height: 740 });
      const problems = watchConsole(page);
      await page.goto(exported.url);
      const code = await frameNamed(page, 'CodeFrame');
      await until(async () => (await frameHeight(page, 'ReadingFrame')) > 100, `${mode}: the reading shows`);
      assert.ok((await frameHeight(page, 'CodeFrame')) > 740 / 2, mode);
      const toggle = code.getByRole('button', { name: 'Reading' });
      await toggle.click();
      await until(async () => (await frameHeight(page, 'ReadingFrame')) === 0, `${mode}: the reading hides`);
      assert.equal(await toggle.getAttribute('aria-pressed'), 'false');
      await screenshot(page, `match-${mode}-reading-hidden-360x740.png`);
      await toggle.click();
      await until(async () => (await frameHeight(page, 'ReadingFrame')) > 100, `${mode}: the reading shows again`);
      await page.setViewportSize({ width: 1280, height: 800 });
      await until(async () => (await frameWidth(page, 'ReadingFrame')) > 400, `${mode}: side by side on a wide screen`);
      await until(async () => !(await toggle.isVisible()), `${mode}: no reading button on a wide screen`);
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });
});

describe('touch and print', () => {
  test('buttons and boxes are at least 44 pixels high on a phone', async () => {
    const sizes = (frame) => frame.evaluate(() => Array.from(document.querySelectorAll('input, button'))
      .filter((e) => e.offsetParent !== null)
      .map((e) => [e.id || e.value || e.textContent, e.getBoundingClientRect().height])
      .filter(([, h]) => h < 44));
    const frames = await open({ switches: { chkIncludeNextEx: 1 } }, { width: 360, height: 740 });
    assert.deepEqual(await sizes(frames.code), []);
    assert.deepEqual(await sizes(await frameNamed(frames.page, 'FeedbackFrame')), []);
    await frames.page.close();
    const single = await openSingle({ switches: { chkIncludeNextEx: 1 } }, { width: 360, height: 740 });
    assert.deepEqual(await sizes(single.page), []);
    await single.page.close();
  });

  test('printing gives every question, without buttons', async () => {
    const single = await openSingle({ switches: { chkShuffleQs: 0 } });
    await single.page.emulateMedia({ media: 'print' });
    assert.equal(await single.page.locator('#PrintList li').count(), 7);
    assert.ok(await single.page.locator('#PrintList li').nth(6).isVisible());
    assert.match(await single.page.locator('#PrintList').innerText(), /closing tag of a script/);
    assert.equal(await single.page.locator('#CheckButton').isVisible(), false);
    await single.page.close();
    const frames = await open();
    await frames.page.emulateMedia({ media: 'print' });
    assert.ok(await frames.code.locator('#QT7').isVisible());
    assert.equal(await frames.code.locator('#Q1 input[type=button]').first().isVisible(), false);
    await frames.page.close();
  });
});

describe('screenshots', () => {
  test('1280, 360 x 740 and 360 x 380, with and without a reading', async () => {
    for (const mode of ['frames', 'single']) {
      for (const reading of [undefined, 'typed']) {
        const exported = exportQuiz({ mode, reading, switches: { chkShuffleQs: 0 } });
        const page = await browser.newPage();
        const problems = watchConsole(page);
        await page.goto(exported.url);
        const code = mode === 'single' && !reading ? page.mainFrame() : await frameNamed(page, 'CodeFrame');
        const box = mode === 'frames' ? '#G1' : '#Guess';
        await code.fill(box, 'Pa');
        await code.press(box, 'Enter');
        if (mode === 'single') await code.locator('#PopupOK').click();
        for (const [w, h] of [[1280, 800], [360, 740], [360, 380]]) {
          await page.setViewportSize({ width: w, height: h });
          await page.waitForTimeout(500);
          await screenshot(page, `${mode}${reading ? '-reading' : ''}-${w}x${h}.png`);
        }
        assert.deepEqual(problems, [], `${mode} ${reading || ''}`);
        await page.close();
      }
    }
  });
});
