// Letter case, where it does not count, follows the pairs of every language:
// a letter is right in its other case by the usual pairs and by the Turkish
// and Azerbaijani ones (I and the dotless i, the I with a dot and i), one
// letter for one; the dotless and the dotted i stay two letters.  Quiz
// answers on both quiz pages (the check, "This much is correct" and the
// hint), and crossword letters on both crossword pages; in Chromium and in
// Firefox ESR.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { exportQuiz, frameNamed, startBrowser, texts, watchConsole, writeQuizFile } from './helpers.mjs';
import { box, cwTexts, exportCrossword, typeWord, wordText } from './crossword-helpers.mjs';
import { collectErrors, firefoxFrame, firefoxMissing, startFirefox } from './firefox-helpers.mjs';

// The questions (answers as the editor keeps them: a letter Windows-1252
// lacks as its character reference), and guesses with what each gives:
// true for right, a text for the start "This much is correct" names, false
// for wrong.
const questions = [
  ['Kirikkale', ['K&#305;r&#305;kkale']],
  ['Izmir', ['&#304;zmir']],
  ['Girl', ['k&#305;z']],
  ['Kiz', ['kiz']],
  ['Street', ['Stra\u00dfe']],
  ['Road', ['&#8001;&#948;&#972;&#962;']],
];
const guesses = [
  [1, 'KIRIKKALE', true], [1, 'k\u0131r\u0131kkale', true], [1, 'kirikkale', 'k'], [1, 'KIRIKALE', 'KIRIK'],
  [2, 'izmir', true], [2, '\u0130ZM\u0130R', true], [2, 'IZMIR', false],
  [3, 'KIZ', true], [3, 'kiz', 'k'],
  [4, 'KIZ', true], [4, 'k\u0131z', 'k'], [4, 'K\u0130Z', true],
  [5, 'STRA\u00dfE', true], [5, 'STRASSE', 'STRA'], [5, 'strasse', 'stra'],
  [6, '\u1f49\u0394\u038c\u03a3', true], [6, '\u1f41\u03b4\u03cc\u03c3', true],
];
// The hint after a guess: the start that is right, and one letter more, as
// the teacher typed it.
const hints = [[1, 'KIR', 'K\u0131r\u0131'], [2, 'iz', '\u0130zm']];

function feedbackOf(expected) {
  if (expected === true) return new RegExp(`^${texts.editGuessCorrect}`);
  if (expected === false) return new RegExp(`^${texts.editGuessIncorrect}`);
  return new RegExp(`^${texts.editThisMuch} ${expected}$`);
}

// The quiz pages of a browser, by what it takes to fill a box, press a
// button and read a text: the frames page answers question q in its own
// section, the single page in its one box after moving to the question.
function quizPages(ui) {
  return {
    async frames(code, q, guess, button = texts.editCheck) {
      await ui.fill(code, `#G${q}`, guess);
      await ui.click(code, `#Q${q} input[type=button][value="${button}"]`);
      return { said: await ui.text(code, `#F${q}`), box: await ui.value(code, `#G${q}`) };
    },
    async single(code, q, guess, button = texts.editCheck) {
      for (;;) {
        const at = Number((await ui.text(code, '#QNumber')).split(' / ')[0]);
        if (at === q) break;
        await ui.click(code, at < q ? '#NextQ' : '#PrevQ');
      }
      await ui.fill(code, '#Guess', guess);
      await ui.click(code, button === texts.editCheck ? '#CheckButton' : '#HintButton');
      const said = await ui.text(code, '#PopupText');
      await ui.click(code, '#PopupOK');
      return { said, box: await ui.value(code, '#Guess') };
    },
  };
}

async function checkQuiz(answer, code, mode) {
  for (const [q, guess, expected] of guesses) {
    const { said } = await answer(code, q, guess);
    assert.match(said, feedbackOf(expected), `${mode}: "${guess}" for question ${q}`);
  }
  for (const [q, guess, shown] of hints) {
    const { box: value } = await answer(code, q, guess, texts.editHint);
    assert.equal(value, shown, `${mode}: the hint after "${guess}"`);
  }
}

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

const chromiumUi = {
  fill: (f, s, v) => f.fill(s, v),
  click: (f, s) => f.locator(s).click(),
  text: async (f, s) => (await f.locator(s).innerText()).replace(/\s+/g, ' ').trim(),
  value: (f, s) => f.locator(s).inputValue(),
};

describe('letter case, quiz', () => {
  test('both quiz pages: answers are right in the other case by the pairs of every language', async () => {
    const quiz = writeQuizFile('Letters', questions);
    for (const mode of ['frames', 'single']) {
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exportQuiz({ mode, quiz }).url);
      const code = mode === 'frames' ? await frameNamed(page, 'CodeFrame') : page.mainFrame();
      await checkQuiz(quizPages(chromiumUi)[mode], code, mode);
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });

  test('both quiz pages: where case counts, the other case stays wrong', async () => {
    const quiz = writeQuizFile('Letters', questions);
    for (const mode of ['frames', 'single']) {
      const page = await browser.newPage();
      await page.goto(exportQuiz({ mode, quiz, switches: { chkCaseSensitive: 1 } }).url);
      const code = mode === 'frames' ? await frameNamed(page, 'CodeFrame') : page.mainFrame();
      const answer = quizPages(chromiumUi)[mode];
      assert.match((await answer(code, 1, 'KIRIKKALE')).said, feedbackOf('K'), mode);
      assert.match((await answer(code, 2, 'izmir')).said, feedbackOf(false), mode);
      assert.match((await answer(code, 2, '\u0130zmir')).said, feedbackOf(true), mode);
      await page.close();
    }
  });
});

// Turkish words in a crossword (the teacher typed "kız" in small letters
// and İZMİR with the I with a dot), and one without Turkish letters.
const turkishRows = ['\u0130ZM\u0130R....', '.........', 'k\u0131z......', '.........', 'Kiz......', '.........', 'K\u0131r\u0131kkale'];
const turkish = {
  rows: turkishRows,
  clues: { '\u0130ZM\u0130R': 'A city', 'K\u0131Z': 'Girl', KIZ: 'Kiz', 'K\u0131R\u0131KKALE': 'Another city' },
};
const plain = { rows: ['KIWI'], clues: { KIWI: 'A bird' } };

describe('letter case, crossword', () => {
  for (const mode of ['frames', 'single']) {
    test(`${mode}: letters are right in the other case by the pairs of every language`, async () => {
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exportCrossword({ mode, ...turkish }).url);
      const code = mode === 'frames' ? await frameNamed(page, 'CodeFrame') : page.mainFrame();
      const state = (n) => code.locator(`#AcrossList li[data-n="${n}"]`).getAttribute('data-state');
      const check = async () => {
        await code.getByRole('button', { name: cwTexts.editCheck }).click();
        if (mode === 'single') await code.getByRole('button', { name: cwTexts.editOKCaption }).click();
      };
      // Typed letters show as capitals, the dotted and the dotless i apart.
      await typeWord(code, 1, 'across', 'izmir');
      assert.equal(await wordText(code, 1, 'across', 5), '\u0130ZM\u0130R');
      await typeWord(code, 2, 'across', 'k\u0131z');
      assert.equal(await wordText(code, 2, 'across', 3), 'KIZ');
      await typeWord(code, 3, 'across', 'KIZ');
      await typeWord(code, 4, 'across', 'KIRIKKALE');
      await check();
      assert.deepEqual([await state(1), await state(2), await state(3), await state(4)], ['right', 'right', 'right', 'right']);
      // IZMIR is not İZMİR, kiz is not kız, KİZ is not KIZ.
      for (const [n, word] of [[1, 'IZMIR'], [2, 'kiz'], [3, 'K\u0130Z'], [4, 'kirikkale']]) {
        for (let i = 1; i <= word.length; i++) await box(code, n, 'across', i).fill('');
        await typeWord(code, n, 'across', word);
      }
      await check();
      assert.deepEqual([await state(1), await state(2), await state(3), await state(4)], ['wrong', 'wrong', 'wrong', 'wrong']);
      // The hint puts in the teacher's letter, shown as a capital.
      for (let i = 1; i <= 3; i++) await box(code, 2, 'across', i).fill('');
      await box(code, 2, 'across', 1).click();
      for (let i = 0; i < 3; i++) await code.getByRole('button', { name: cwTexts.editHint }).click();
      assert.equal(await wordText(code, 2, 'across', 3), 'KIZ');
      await check();
      assert.equal(await state(2), 'right');
      assert.deepEqual(problems, []);
      await page.close();
    });
  }

  test('a crossword without Turkish letters: i shows as I, and the dotless i is right for I', async () => {
    const page = await browser.newPage();
    await page.goto(exportCrossword({ mode: 'single', ...plain }).url);
    const code = page.mainFrame();
    await typeWord(code, 1, 'across', 'kiw\u0131');
    assert.equal(await wordText(code, 1, 'across', 4), 'KIWI');
    await code.getByRole('button', { name: cwTexts.editCheck }).click();
    assert.equal(await code.locator('#AcrossList li[data-n="1"]').getAttribute('data-state'), 'right');
    await page.close();
  });
});

describe('letter case, Firefox ESR', { skip: firefoxMissing, timeout: 120000 }, () => {
  test('both quiz pages and the single crossword page', async (t) => {
    const firefox = await startFirefox(t);
    if (!firefox) return;
    const ui = {
      fill: async (f, s, v) => { await f.$eval(s, (e, x) => { e.value = x; }, v); },
      click: (f, s) => f.$eval(s, (e) => e.click()),
      text: async (f, s) => (await f.$eval(s, (e) => e.textContent)).replace(/\s+/g, ' ').trim(),
      value: (f, s) => f.$eval(s, (e) => e.value),
    };
    try {
      const quiz = writeQuizFile('Letters', questions);
      for (const mode of ['frames', 'single']) {
        const page = await firefox.newPage();
        await page.evaluateOnNewDocument(collectErrors);
        await page.goto(exportQuiz({ mode, quiz }).url);
        const code = mode === 'frames' ? await firefoxFrame(page, /c\.htm/) : page.mainFrame();
        await checkQuiz(quizPages(ui)[mode], code, `Firefox, ${mode}`);
        assert.deepEqual(await code.evaluate(() => window.tavrelErrors), [], mode);
        await page.close();
      }
      const page = await firefox.newPage();
      await page.evaluateOnNewDocument(collectErrors);
      await page.goto(exportCrossword({ mode: 'single', ...turkish }).url);
      const states = await page.evaluate(() => {
        const put = (n, word) => {
          const w = Puzzle.order.find((x) => x.dir === 'across' && x.num === n);
          Array.from(word).forEach((ch, i) => Puzzle.put(w.cells[i], ch));
          return w;
        };
        const words = [put(1, 'izmir'), put(2, 'KIZ'), put(3, 'K\u0130Z'), put(4, 'KIRIKKALE')];
        return words.map(Puzzle.wordRight).concat(words.map((w) => w.cells.map((c) => c.box.value).join('')));
      });
      assert.deepEqual(states, [true, true, false, true, '\u0130ZM\u0130R', 'KIZ', 'K\u0130Z', 'KIRIKKALE']);
      assert.deepEqual(await page.evaluate(() => window.tavrelErrors), []);
      await page.close();
    } finally {
      await firefox.close();
    }
  });
});
