// The frames pages of the quiz, opened from disk as a student would.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { exportQuiz, frameNamed, screenshot, startBrowser, texts, watchConsole } from './helpers.mjs';

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

async function openQuiz(options = {}) {
  const exported = exportQuiz(options);
  const page = await browser.newPage();
  const problems = watchConsole(page);
  await page.goto(exported.url);
  const code = await frameNamed(page, 'CodeFrame');
  return { page, code, problems, exported };
}

async function answer(code, q, guess, button = texts.editCheck) {
  await code.fill(`#G${q}`, guess);
  await code.locator(`#Q${q} input[type=button][value="${button}"]`).click();
  return (await code.locator(`#F${q}`).innerText()).trim();
}

describe('answer checking', () => {
  test('right, wrong, partly right and empty answers give the configured texts', async () => {
    const { page, code, problems } = await openQuiz({ switches: { chkContinuousScoring: 0 } });
    assert.equal(await answer(code, 1, ''), texts.editPleaseEnter);
    assert.equal(await answer(code, 1, 'Lyon'), texts.editGuessIncorrect);
    assert.match(await answer(code, 1, 'Parma'), /This much is correct: Par/);
    assert.match(await answer(code, 3, 'York'), /These words are in the answer: York/);
    assert.equal(await answer(code, 1, '  paris  '), texts.editGuessCorrect);
    const also = await answer(code, 3, 'new   york');
    assert.match(also, /^Correct!/);
    assert.match(also, /These answers are also correct: New York City/);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('hint adds the next correct letter and show answer lists every accepted answer', async () => {
    const { page, code, problems } = await openQuiz();
    await code.fill('#G3', 'New Y');
    await code.locator('#Q3 input[value="Hint"]').click();
    assert.equal(await code.inputValue('#G3'), 'New Yo');
    assert.equal((await code.locator('#F3').innerText()).trim(), texts.editNextCorrect);
    await code.fill('#G2', '');
    await code.locator('#Q2 input[value="Hint"]').click();
    assert.equal(await code.inputValue('#G2'), 'r');
    await code.locator('#Q2 input[value="Show answer"]').click();
    assert.equal((await code.locator('#F2').innerText()).trim(), 'Correct answers: red, blue, yellow');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('letter case counts only when the quiz is case-sensitive', async () => {
    let { page, code } = await openQuiz({ switches: { chkCaseSensitive: 0 } });
    assert.match(await answer(code, 1, 'PARIS'), /^Correct!/);
    await page.close();
    ({ page, code } = await openQuiz({ switches: { chkCaseSensitive: 1 } }));
    assert.equal(await answer(code, 1, 'paris'), texts.editGuessIncorrect);
    assert.match(await answer(code, 1, 'PARIS'), /This much is correct: P$/);
    assert.match(await answer(code, 1, 'Paris'), /^Correct!/);
    await page.close();
  });

  test('accented letters, the euro sign, typographic apostrophes and markup-like answers', async () => {
    const { page, code, problems } = await openQuiz();
    assert.match(await answer(code, 4, 'caf\u00e9'), /^Correct!/);
    assert.match(await answer(code, 5, '5 \u20ac'), /^Correct!/);
    assert.match(await answer(code, 6, 'LIFE'), /^Correct!/);
    assert.match(await answer(code, 7, '</script>'), /^Correct!/);
    await code.locator('#Q4 input[value="Show answer"]').click();
    assert.match(await code.locator('#F4').innerText(), /caf\u00e9/);
    assert.match(await code.locator('#QT5').innerText(), /2\.50 \u20ac/);
    assert.match(await code.locator('#QT6').innerText(), /\u201cIt\u2019s a dog\u2019s/);
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('scoring', () => {
  test('continuous scoring shows the score after every correct answer', async () => {
    const { page, code } = await openQuiz({ switches: { chkContinuousScoring: 1 } });
    await answer(code, 2, 'green');
    assert.equal(await answer(code, 1, 'Paris'), texts.editGuessCorrect);
    const score = () => code.locator('#Score').innerText();
    assert.match(await score(), /Questions answered correctly first time: 1 \/ 7/);
    assert.match(await score(), /Your score is: 14%/);
    await answer(code, 2, 'blue');
    assert.match(await score(), /first time: 1 \/ 7/);
    await page.close();
  });

  test('final scoring waits until every question is answered', async () => {
    const { page, code } = await openQuiz({ switches: { chkContinuousScoring: 0 } });
    const guesses = ['Paris', 'red', 'New York', 'caf\u00e9', '5 \u20ac', 'life', '</script>'];
    await answer(code, 1, 'Rome');
    for (let q = 1; q <= 6; q++) {
      assert.doesNotMatch(await answer(code, q, guesses[q - 1]), /Your score/);
    }
    await code.locator('#Q7 input[value="Hint"]').click();
    assert.equal(await code.locator('#Score').innerText(), '');
    await answer(code, 7, '</script>');
    const last = await code.locator('#Score').innerText();
    assert.match(last, /first time: 5 \/ 7/);
    assert.match(last, /Your score is: 71%/);
    await page.close();
  });
});

describe('page furniture', () => {
  test('the help button shows the help of the welcome page', async () => {
    const { page, code, problems } = await openQuiz();
    await code.getByRole('button', { name: 'Help' }).click();
    const welcome = page.frame({ name: 'FeedbackFrame' });
    await page.waitForFunction(() => true);
    for (let i = 0; i < 50 && !welcome.url().endsWith('#help'); i++) await page.waitForTimeout(50);
    assert.match(welcome.url(), /quizw\.htm#help$/);
    await welcome.locator('#help').waitFor();
    assert.ok(await welcome.locator('#help').isVisible());
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('the back button goes back in the frameset without errors', async () => {
    const exported = exportQuiz();
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto('about:blank');
    await page.goto(exported.url);
    const welcome = await frameNamed(page, 'FeedbackFrame');
    await welcome.getByRole('button', { name: 'Back' }).click();
    await page.waitForURL('about:blank');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('every box and button has a name, and feedback is announced', async () => {
    const { page, code } = await openQuiz();
    await code.getByRole('textbox', { name: /capital of France/ }).fill('Paris');
    await code.getByRole('textbox', { name: /capital of France/ }).press('Enter');
    const status = code.locator('#F1');
    assert.equal(await status.getAttribute('role'), 'status');
    assert.match(await status.innerText(), /^Correct!/);
    const unnamed = await code.evaluate(() =>
      Array.from(document.querySelectorAll('input, button')).filter((e) => {
        const name = e.getAttribute('aria-labelledby') || e.value || e.textContent.trim();
        return e.offsetParent !== null && !name;
      }).length);
    assert.equal(unnamed, 0);
    await page.close();
  });

  test('usable by keyboard alone', async () => {
    const { page, code, problems } = await openQuiz();
    let found = false;
    for (let i = 0; i < 40 && !found; i++) {
      await page.keyboard.press('Tab');
      found = await code.evaluate(() => document.activeElement && document.activeElement.id === 'G1');
    }
    assert.ok(found, 'Tab reaches the first answer box');
    await page.keyboard.type('Pa');
    await page.keyboard.press('Enter');
    assert.match(await code.locator('#F1').innerText(), /This much is correct: Pa/);
    await page.keyboard.press('Tab');
    await page.keyboard.press('Tab');
    await page.keyboard.press('Space');
    assert.equal(await code.inputValue('#G1'), 'Par');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('screenshots at desktop and phone width', async () => {
    const { page, code, problems } = await openQuiz();
    await answer(code, 1, 'Paris');
    await answer(code, 3, 'York');
    await screenshot(page, 'frames-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    const cols = await page.evaluate(() => document.querySelector('frameset').getAttribute('rows'));
    assert.notEqual(cols, '*', 'the frames are stacked on a narrow screen');
    const overflow = await code.evaluate(() => document.documentElement.scrollWidth > window.innerWidth + 1);
    assert.equal(overflow, false, 'no sideways scrolling in the questions frame');
    await screenshot(page, 'frames-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});
